// Fuzz entry point of the Access reader: the input is a list of byte patches, four bytes
// each (page, offset low, offset high, value), applied to a generated Jet 4 database with
// every column type, long values, two tables, a saved query and a link; the damaged file is
// opened, every table loaded into SQLite and the query's and the link's records read. Each attempt reads or
// raises EDatabaseError, never crashes or hangs.
#include <cstdint>
#include <string>
#include <unistd.h>

#include <sqlite3.h>

#include "platform/base/Exceptions.h"
#include "platform/base/Files.h"
#include "platform/db/access/AccessDatabase.h"
#include "tools/jetdemo/JetTestDatabase.h"

using namespace xe::db;

namespace {
std::string const& Original()
{
    static std::string const bytes = [] {
        TJetTestDatabase writer;
        writer.AddTable({ "Types",
            { { "ID", jtLong, 0, 0, 0, true, false, true }, { "Flag", jtBoolean }, { "Small", jtByte },
                { "Int", jtInteger }, { "Price", jtCurrency }, { "Ratio", jtSingle }, { "When", jtDateTime },
                { "Name", jtText, 20 }, { "Raw", jtBinary, 8 }, { "Notes", jtMemo }, { "Blob", jtOle },
                { "Key", jtGuid }, { "Dec", jtNumeric, 0, 18, 4 } },
            {
                { "1", "1", "2", "-3", "4.5", "1.25", "1898-01-01 10:00:00", "Zoë", std::string("\0\1", 2),
                    std::string(2500, 'm'), std::string(5000, '\x01'),
                    "{01234567-89AB-CDEF-0123-456789ABCDEF}", "-1.5" },
                { "2", "0", std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, "", "",
                    "short", "s", std::nullopt, std::nullopt },
            } });
        writer.AddTable({ "Second", { { "A", jtLong }, { "B", jtText, 10 } }, { { "1", "x" } } });
        TJetQueryRow type, table, column;
        type.Attribute = 1, type.Flag = 1;
        table.Attribute = 5, table.Name1 = "Second";
        column.Attribute = 6, column.Expression = "B & 'x'", column.HasExpression = true;
        writer.AddSavedQuery("Query", { type, table, column });
        writer.AddLinkedTable("Link", "C:\\elsewhere.mdb", "Second");
        writer.SetPassword(u"pw");
        return writer.Bytes();
    }();
    return bytes;
}
}

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    std::string bytes = Original();
    size_t pages = bytes.size() / 4096;
    for (size_t i = 0; i + 4 <= size; i += 4) {
        size_t page = data[i] % pages;
        size_t offset = (data[i + 1] | data[i + 2] << 8) % 4096;
        bytes[page * 4096 + offset] = char(data[i + 3]);
    }
    // One scratch file per process, removed at exit.
    static struct TScratchFile {
        std::string Name = "/tmp/xe-fuzz-access-" + std::to_string(getpid()) + ".mdb";
        ~TScratchFile() { unlink(Name.c_str()); }
    } scratchFile;
    std::string const& file = scratchFile.Name;
    xe::base::WriteFileBytes(file, bytes);
    try {
        TAccessDatabase db(file, "pw");
        sqlite3* scratch = nullptr;
        sqlite3_open("", &scratch);
        for (std::string const& name : db.TableNames()) {
            try {
                db.LoadTable(scratch, name);
            } catch (xe::base::EDatabaseError const&) {
            }
        }
        sqlite3_close(scratch);
        try {
            db.SavedQueryRows("Query");
        } catch (xe::base::EDatabaseError const&) {
        }
        try {
            db.LinkOf("Link");
        } catch (xe::base::EDatabaseError const&) {
        }
    } catch (xe::base::EDatabaseError const&) {
    }
    return 0;
}
