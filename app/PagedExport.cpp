#include "app/PagedExport.h"

#include "app/XmlSplice.h"
#include "platform/base/Clock.h"
#include "platform/base/Exceptions.h"
#include "platform/base/Files.h"
#include "platform/base/Strings.h"
#include "platform/db/Connection.h"
#include "platform/db/PagingStatements.h"
#include "platform/db/Query.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace xe::app {

std::string CountStatement(std::string const& strSql) { return db::PagingCountStatement(strSql); }

std::string FirstPageStatement(std::string const& strSql)
{
    return db::PagingFirstStatement(strSql, PageSize);
}

std::string LastIdStatement(std::string const& strSql, int64_t k)
{
    return db::PagingLastIdStatement(strSql, k);
}

std::string NextPageStatement(std::string const& strSql, int64_t m)
{
    return db::PagingNextStatement(strSql, PageSize, m);
}

int64_t PageCount(int64_t rows)
{
    if (rows <= 0)
        return 0;
    return rows / PageSize + (rows % PageSize != 0 ? 1 : 0);
}

std::string TempFileName(std::string const& xmlName)
{
    return base::ExtractFilePath(xmlName) + "Temp" + base::ExtractFileName(xmlName);
}

void SplicePage(std::string const& xmlName, std::string const& pageFileName)
{
    std::string page = ReadWholeFile(pageFileName);
    size_t begin = base::FindBytes(page, DataBeginMarker);
    if (begin == std::string::npos)
        throw base::EFileError(
            base::Format("The page file '%s' holds no <rs:data> marker; its rows cannot be joined.",
                pageFileName.c_str()));
    if (!TruncateAtDataEnd(xmlName, 20))
        throw base::EFileError(base::Format(
            "The output file '%s' holds no </rs:data> marker near its end; the next page cannot be joined.",
            xmlName.c_str()));
    AppendText(xmlName, std::string_view(page).substr(begin + DataBeginMarker.size()));
}

static bool ExportPageLoop(db::TADOConnection& connection, std::string const& strSql,
    std::string const& xmlName, std::string const& tempName, TExportSteps& steps, bool& outputTouched);

void CheckNotDatabase(std::string const& fileName, std::string const& dbName)
{
    if (fileName.empty() || dbName.empty())
        return;
    struct stat file { };
    struct stat db { };
    // stat follows symbolic links, and a hard link shares the inode: every name of the
    // database is caught. A file that does not exist yet cannot be the database.
    if (::stat(base::ToSystemPath(fileName).c_str(), &file) != 0
        || ::stat(base::ToSystemPath(dbName).c_str(), &db) != 0)
        return;
    if (file.st_dev == db.st_dev && file.st_ino == db.st_ino)
        throw base::EFileError(base::Format(
            "The file \"%s\" is the database \"%s\"; the export would overwrite it. Nothing was written.",
            fileName.c_str(), dbName.c_str()));
}

namespace {

// The files of the export under way, for RemoveUnfinishedExport.
struct TRunningExport {
    std::string XmlPath;
    std::string TempPath;
    bool const& OutputTouched;
};
TRunningExport const* GRunning = nullptr;

} // namespace

bool RemoveUnfinishedExport()
{
    TRunningExport const* run = GRunning;
    if (!run)
        return false;
    GRunning = nullptr;
    if (run->OutputTouched)
        ::unlink(run->XmlPath.c_str());
    ::unlink(run->TempPath.c_str());
    return true;
}

bool RunPagedExport(db::TADOConnection& connection, std::string const& strSql, std::string const& xmlName,
    TExportSteps& steps)
{
    std::string const tempName = TempFileName(xmlName);
    // Before anything is deleted or written: neither file may be the database itself, and
    // the output must be a file this process may replace.
    CheckNotDatabase(xmlName, connection.DataSource());
    CheckNotDatabase(tempName, connection.DataSource());
    base::CheckReplaceable(base::ToSystemPath(xmlName));
    bool outputTouched = false;
    // A partial output would pass for a whole one: an error or a stop removes it, and the page
    // file with it. An output this run has not touched yet is the user's and stays. Gives what
    // the error's message must add: an output that could not be removed.
    auto removeLeftovers = [&]() -> std::string {
        std::string note;
        if (outputTouched) {
            try {
                base::RemoveSystemFile(base::ToSystemPath(xmlName));
            } catch (base::EFileError const& removal) {
                note = " The incomplete output could not be removed: " + removal.Message();
            }
        }
        try {
            base::RemoveSystemFile(base::ToSystemPath(tempName));
        } catch (base::EFileError const&) {
            // The page file is a leftover, never a result; the first error is the one to see.
        }
        return note;
    };
    // A process that ends inside the export (a library calling exit(), the display
    // connection killed) still removes what the run has begun.
    TRunningExport const running { base::ToSystemPath(xmlName), base::ToSystemPath(tempName), outputTouched };
    GRunning = &running;
    struct TDone {
        ~TDone() { GRunning = nullptr; }
    } done;
    bool stopped = false;
    try {
        stopped = ExportPageLoop(connection, strSql, xmlName, tempName, steps, outputTouched);
    } catch (base::Exception const& e) {
        // A stop asked for during a statement aborts it: that is the stop, not an error.
        if (!steps.Cancelled()) {
            std::string note = removeLeftovers();
            if (!note.empty())
                throw base::EFileError(e.Message() + note);
            throw;
        }
        stopped = true;
    } catch (...) {
        removeLeftovers();
        throw;
    }
    if (stopped) {
        std::string note = removeLeftovers();
        if (!note.empty())
            throw base::EFileError("The export was stopped." + note);
    }
    return !stopped;
}

namespace {

// The files of one run, kept open from page to page. What is on disk between pages is what
// saving each page to its file and splicing it in by name gives: the temp file holds the
// page's whole document, the output the rows so far and the last page's tail. Only the
// system calls are fewer: no file is opened, searched or closed again for each page, and a
// page is written over the bytes it replaces (the old tail, the last page's document), so
// that a file is cut only when it gets shorter.
class TPageFiles {
public:
    TPageFiles(std::string const& xmlName, std::string const& tempName)
        : FXmlName(xmlName)
        , FTempName(tempName)
        , FXmlPath(base::ToSystemPath(xmlName))
        , FTempPath(base::ToSystemPath(tempName))
    {
    }

    // The first page replaces the output.
    void WriteFirst(std::string page)
    {
        base::RemoveSystemFile(FXmlPath);
        FOutput = std::make_unique<base::TFile>(FXmlPath, base::TOpenMode::CreateNew);
        Identify();
        FOutput->Write(page);
        FWritten = true;
        FSize = int64_t(page.size());
        FLast = std::move(page);
    }

    // A later page: its document replaces the temp file, then its rows are spliced in.
    void Splice(std::string const& page)
    {
        if (!FTemp) {
            base::RemoveSystemFile(FTempPath);
            FTemp = std::make_unique<base::TFile>(FTempPath, base::TOpenMode::CreateNew);
            FTemp->Write(page);
        } else {
            FTemp->WriteAt(page, 0);
            if (int64_t(page.size()) < FTempSize)
                FTemp->Truncate(int64_t(page.size()));
        }
        FTempSize = int64_t(page.size());

        size_t const begin = base::FindBytes(page, DataBeginMarker);
        std::optional<int64_t> cut = begin == std::string::npos ? std::nullopt : KnownDataEnd();
        if (!cut) {
            // The output is not as this run left it (or the page has no marker): the splice by
            // name reads both files and reports what is wrong with them.
            FOutput.reset();
            SplicePage(FXmlName, FTempName);
            OpenOutput();
            FSize = FOutput->Size();
            FLast = page.substr(begin + DataBeginMarker.size());
            return;
        }
        std::string_view rows = std::string_view(page).substr(begin + DataBeginMarker.size());
        int64_t const size = *cut + int64_t(rows.size());
        FOutput->WriteAt(rows, *cut);
        if (size < FSize)
            FOutput->Truncate(size);
        FSize = size;
        FLast.assign(rows);
    }

    // The output is on the device before the run reports success: a power cut after that
    // cannot take rows from a document that was announced as finished.
    void Finish()
    {
        if (FTemp)
            FTemp->Close();
        if (!FOutput && FWritten)
            OpenOutput();
        if (FOutput) {
            FOutput->Sync();
            FOutput->Close();
        }
        base::RemoveSystemFile(FTempPath);
    }

private:
    // Where TruncateAtDataEnd would cut the output (windows of 20, 40, ... bytes from its end),
    // worked out from the bytes last written; none when the output is no longer the file this
    // run wrote, or when the search would reach further back than those bytes.
    std::optional<int64_t> KnownDataEnd()
    {
        if (!FOutput && !FLast.empty())
            OpenOutput();
        struct stat now { };
        if (!FOutput || ::stat(FXmlPath.c_str(), &now) != 0 || now.st_dev != FIdentity.st_dev
            || now.st_ino != FIdentity.st_ino || now.st_size != FSize)
            return std::nullopt;
        std::optional<int64_t> cut = FindDataEnd(FLast, 20);
        if (!cut)
            return std::nullopt;
        return FSize - int64_t(FLast.size()) + *cut;
    }

    void OpenOutput()
    {
        FOutput = std::make_unique<base::TFile>(FXmlPath, base::TOpenMode::ReadWrite);
        Identify();
    }

    void Identify()
    {
        if (::stat(FXmlPath.c_str(), &FIdentity) != 0)
            FIdentity = {};
    }

    std::string const& FXmlName;
    std::string const& FTempName;
    std::string const FXmlPath;
    std::string const FTempPath;
    std::unique_ptr<base::TFile> FTemp;
    int64_t FTempSize = 0;
    std::unique_ptr<base::TFile> FOutput; // written at offsets, never in append mode
    struct stat FIdentity { }; // of the output when it was opened
    int64_t FSize = 0; // of the output, as this run left it
    std::string FLast; // the bytes last written at the output's end
    bool FWritten = false; // the first page is in the output
};

} // namespace

// The pages themselves; outputTouched becomes true once the output file may have changed.
// Gives true when the run stopped on steps.Cancelled() (the files are left for the caller).
static bool ExportPageLoop(db::TADOConnection& connection, std::string const& strSql,
    std::string const& xmlName, std::string const& tempName, TExportSteps& steps, bool& outputTouched)
{
    db::TADOQuery query(&connection);

    query.SetSQL(CountStatement(strSql));
    query.Open();
    int64_t const rows = query.Fields(0).AsInteger();
    int64_t const pages = PageCount(rows);
    steps.Start(pages, rows);

    TPageFiles files(xmlName, tempName);
    // No rows still make a document: the first page's statement gives the schema and an
    // empty data block, and it replaces an older output that would otherwise pass for this
    // run's result.
    int64_t const statements = std::max<int64_t>(pages, 1);
    for (int64_t i = 1; i <= statements; ++i) {
        if (steps.Cancelled())
            return true;
        if (i == 1) {
            query.SetSQL(FirstPageStatement(strSql));
            query.Open();
            std::string page = query.XmlText();
            outputTouched = true;
            files.WriteFirst(std::move(page));
        } else {
            query.SetSQL(LastIdStatement(strSql, (i - 1) * PageSize));
            query.Open();
            int64_t const lastId = query.Fields(0).AsVariant().AsInteger();
            query.SetSQL(NextPageStatement(strSql, lastId));
            query.Open();
            files.Splice(query.XmlText());
        }
        if (i <= pages)
            steps.PageDone(i, pages);
    }
    // A stop confirmed while the last page was under way still stops the run.
    if (steps.Cancelled())
        return true;
    query.Close();
    files.Finish();
    return false;
}

TTerminalProgress::TTerminalProgress(bool force)
    : FActive(force || ::isatty(STDERR_FILENO) == 1)
{
}

std::string TTerminalProgress::Line(int64_t page, int64_t pageCount, int64_t rowCount, uint64_t elapsedMs)
{
    int64_t const rowsDone = std::min(page * PageSize, rowCount);
    int64_t const rate = elapsedMs > 0 ? int64_t(rowsDone * 1000 / int64_t(elapsedMs)) : 0;
    return base::Format("page %lld/%lld, %lld/%lld rows, %lld rows/s", (long long)page, (long long)pageCount,
        (long long)rowsDone, (long long)rowCount, (long long)rate);
}

void TTerminalProgress::Start(int64_t pageCount, int64_t rowCount)
{
    FPageCount = pageCount;
    FRowCount = rowCount;
    FStart = base::GetTickCount64();
    FLastShown = 0;
}

void TTerminalProgress::PageDone(int64_t page)
{
    if (!FActive)
        return;
    uint64_t const now = base::GetTickCount64();
    // A terminal needs no more than a few updates a second; the last page always shows.
    if (page != FPageCount && FOpen && now - FLastShown < 100)
        return;
    FLastShown = now;
    std::string const line
        = std::string("\r").append(Line(page, FPageCount, FRowCount, now - FStart)).append("\x1b[K");
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
    FOpen = true;
}

void TTerminalProgress::Finish()
{
    if (FActive && FOpen)
        std::fputc('\n', stderr);
    FOpen = false;
}

} // namespace xe::app
