#pragma once

#include <cstdint>
#include <string>

namespace xe::db {
class TADOConnection;
}

namespace xe::app {

// The export writes 30 rows a page: the first page straight to the output file, every later
// page to a temp file beside it, spliced into the output at the byte level.
constexpr int PageSize = 30;

// The statements, with S the configured statement exactly as written: the database layer's
// paging statements (platform/db/PagingStatements.h), which it answers from the rows of S in
// id order, with pages of PageSize rows.
std::string CountStatement(std::string const& strSql);
std::string FirstPageStatement(std::string const& strSql);
// The largest id of the first k rows in id order.
std::string LastIdStatement(std::string const& strSql, int64_t k);
// The page after id m, ordered by id.
std::string NextPageStatement(std::string const& strSql, int64_t m);

// Pages needed for the rows: count div 30, plus one for a partial page.
int64_t PageCount(int64_t rows);

// The temp file: the output's directory (with its separator, empty for a bare name), "Temp",
// then the output's file name.
std::string TempFileName(std::string const& xmlName);

// What the window does around the pages. Each call runs on the export's thread, between
// pages; Cancelled() is asked before every page, PageDone() after it (the window moves its
// gauge and pumps its message queue there, so Cancelled() may change during it).
class TExportSteps {
public:
    virtual ~TExportSteps() = default;
    virtual void Start(int64_t pageCount, int64_t rowCount) = 0;
    virtual bool Cancelled() = 0;
    virtual void PageDone(int64_t page, int64_t pageCount) = 0;
};

// Exports every row of strSql into xmlName; no rows give a document with the schema and no
// rows. Before anything is written, an output or temp name that is the connection's database
// file (the same file by device and inode), an output name that is a folder, a read-only
// output and an output folder that cannot be written are refused with EFileError. Every file
// operation is checked, and the finished output is flushed to the device. An error of the
// database layer or of the files reaches the caller after the output this run has begun and
// the temp file are removed, so that no partial document is left to pass for a finished one;
// an output the run never touched (an error before the first page) stays as it was.
// Cancelled() true before a page, after the last one, or while a statement runs (the
// connection's OnWorking aborts it) stops the run the same way, without an error: gives false
// then, true when every page was written.
// (The main window's ExportPages runs it with the window's gauge and message pump.)
bool RunPagedExport(db::TADOConnection& connection, std::string const& strSql, std::string const& xmlName,
    TExportSteps& steps);

// For an exit handler: when the process ends inside RunPagedExport (a library calling exit()),
// removes the output the run has begun and its temp file, as an error would. Gives whether
// an export was under way.
bool RemoveUnfinishedExport();

// Raises EFileError naming both files when fileName exists and is dbName itself (the same
// name, a hard link or a symbolic link to it).
void CheckNotDatabase(std::string const& fileName, std::string const& dbName);

// Joins one page file onto the output: the output is cut before its "</rs:data>" and the
// page's text after its "<rs:data>" is appended. Checks both markers before touching the
// output, so a page that cannot be joined leaves the output as it was.
void SplicePage(std::string const& xmlName, std::string const& pageFileName);

// Progress of a running export as one rewritten line on a terminal (standard error):
// pages done, rows, rate.
class TTerminalProgress {
public:
    // Active only when standard error is a terminal, or when forced (tests).
    explicit TTerminalProgress(bool force = false);
    void Start(int64_t pageCount, int64_t rowCount);
    void PageDone(int64_t page);
    // Ends the line.
    void Finish();
    bool Active() const { return FActive; }

    // The line shown after page `page` of the run, elapsed milliseconds after Start().
    static std::string Line(int64_t page, int64_t pageCount, int64_t rowCount, uint64_t elapsedMs);

private:
    bool FActive;
    bool FOpen = false;
    int64_t FPageCount = 0;
    int64_t FRowCount = 0;
    uint64_t FStart = 0;
    uint64_t FLastShown = 0;
};

} // namespace xe::app
