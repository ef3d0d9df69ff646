// xe_make_jet_demo <file.mdb> <rows> [password]: writes a Jet 4 database with an "orders"
// table of mixed column types (Chinese text, NULLs, memo, currency, dates, binary), rows
// stored out of id order, protected by the password (UTF-8). Used by scripts/demo and
// benchmarks.
#include "tools/jetdemo/JetTestDatabase.h"

#include "platform/base/Strings.h"

#include <cstdio>
#include <exception>

using namespace xe::db;

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s file.mdb rows [password]\n", argv[0]);
        return 2;
    }
    try {
        int rows = std::atoi(argv[2]);
        TJetTestTable t;
        t.Name = "orders";
        t.Columns = {
            { "id", jtLong, 0, 0, 0, true },
            { "customer", jtText, 40 },
            { "city", jtText, 20 },
            { "note", jtMemo },
            { "amount", jtCurrency },
            { "qty", jtInteger },
            { "weight", jtDouble },
            { "paid", jtBoolean },
            { "ordered", jtDateTime },
            { "code", jtBinary, 6 },
        };
        char const* names[] = { "张伟", "王芳", "李娜", "刘洋", "Smith & Sons", "陈静" };
        char const* cities[] = { "北京", "上海", "广州", "深圳", "杭州" };
        bool permute = (rows + 1) % 7919 != 0;
        for (int k = 1; k <= rows; ++k) {
            // A fixed permutation of 1..rows, so the physical order is not the id order.
            int i = permute ? int((int64_t(k) * 7919) % (rows + 1)) : k;
            char buffer[64];
            std::vector<TJetTestValue> row;
            row.push_back(std::to_string(i));
            row.push_back(std::string(names[i % 6]) + std::to_string(i));
            row.push_back(std::string(cities[i % 5]));
            row.push_back(i % 7 == 0
                    ? TJetTestValue()
                    : TJetTestValue("备注 <" + std::to_string(i * 37 % 1000) + "> \"加急\""));
            std::snprintf(
                buffer, sizeof buffer, "%d.%02d", (i * 7919 % 100000) / 100, (i * 7919 % 100000) % 100);
            row.push_back(std::string(buffer));
            row.push_back(std::to_string(i % 50 + 1));
            std::snprintf(buffer, sizeof buffer, "%.3f", (i % 1000) * 0.125);
            row.push_back(std::string(buffer));
            row.push_back(std::string(i % 2 ? "1" : "0"));
            std::snprintf(
                buffer, sizeof buffer, "2024-%02d-%02d %02d:%02d:00", i % 12 + 1, i % 28 + 1, i % 24, i % 60);
            row.push_back(std::string(buffer));
            std::string code;
            for (int b = 0; b < 6; ++b)
                code += char((i * 31 + b * 17) & 0xFF);
            row.push_back(i % 5 == 0 ? TJetTestValue() : TJetTestValue(code));
            t.Rows.push_back(std::move(row));
        }
        TJetTestDatabase db;
        db.AddTable(t);
        if (argc > 3)
            db.SetPassword(xe::base::Utf8ToUtf16(argv[3]));
        db.SaveToFile(argv[1]);
    } catch (std::exception const& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
