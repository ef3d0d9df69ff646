#include "tests/support/JetObjectFixtures.h"

#include "platform/base/Files.h"
#include "tools/jetdemo/JetTestDatabase.h"

namespace xe::db {

namespace {
TJetQueryRow Row(
    int attribute, int flag = 0, std::string name1 = "", std::string name2 = "", std::string expression = "")
{
    TJetQueryRow r;
    r.Attribute = attribute;
    r.Flag = flag;
    r.Name1 = std::move(name1);
    r.Name2 = std::move(name2);
    r.Expression = std::move(expression);
    r.HasExpression = !r.Expression.empty();
    return r;
}
TJetQueryRow Column(std::string expression, std::string alias = "")
{
    return Row(6, 0, alias, "", expression);
}
TJetQueryRow Table(std::string name, std::string alias = "") { return Row(5, 0, name, alias); }
TJetQueryRow Where(std::string expression) { return Row(8, 0, "", "", expression); }
TJetQueryRow OrderBy(std::string expression, bool descending = false)
{
    return Row(11, 0, descending ? "D" : "", "", expression);
}
TJetQueryRow Select() { return Row(1, 1); }
TJetQueryRow Flags(int flags, std::string top = "") { return Row(3, flags, top); }

void WritePrices(std::string const& file, std::vector<std::vector<TJetTestValue>> rows)
{
    TJetTestDatabase db;
    db.AddTable({ "Prices", { { "ID", jtLong }, { "Price", jtDouble } }, std::move(rows) });
    db.SaveToFile(file);
}
}

std::string WriteJetObjectFixtures(std::string const& folder)
{
    std::string dir = base::IncludeTrailingPathDelimiter(folder);
    base::ForceDirectories(dir);
    WritePrices(dir + "linked.mdb", { { "1", "2.5" }, { "2", "4" } });
    base::ForceDirectories(dir + "sub");
    WritePrices(dir + "sub/linked2.mdb", { { "7", "70" } });

    TJetTestDatabase db;
    db.AddTable({ "Customers",
        { { "ID", jtLong }, { "Name", jtText, 20 }, { "City", jtText, 20 }, { "Active", jtBoolean } },
        { { "1", "Ann", "Oslo", "1" }, { "2", "Bob", "Rome", "0" }, { "3", "Cy", "Oslo", "1" },
            { "4", "Di", "Nice", "1" } } });
    db.AddTable({ "Orders",
        { { "OrderID", jtLong }, { "CustomerID", jtLong }, { "Amount", jtCurrency }, { "Qty", jtLong } },
        { { "10", "1", "150.5", "3" }, { "11", "1", "20", "1" }, { "12", "3", "300", "0" },
            { "13", "4", "99.99", "2" }, { "14", "2", "500", "5" } } });
    db.AddTable({ "Asset Items", { { "Owner", jtText, 20 }, { "Cost", jtDouble } },
        { { "Ann", "10.5" }, { "Eve", "2" }, { "Ann", "1.5" } } });
    db.AddTable({ "Attach", { { "ID", jtLong }, { "Name", jtText, 20 }, { "Files", jtComplex } },
        { { "1", "a", "7" }, { "2", "b", "8" } } });

    std::vector<std::vector<TJetTestValue>> numbers;
    for (int i = 1; i <= 75; ++i) {
        std::string label = "n"; // appended, not "n" + ...: GCC 12 warns wrongly on that (-Wrestrict)
        label += std::to_string(i);
        numbers.push_back({ std::to_string(i), label });
    }
    db.AddTable({ "Numbers", { { "ID", jtLong }, { "Label", jtText, 10 } }, numbers });
    db.AddSavedQuery("Odd numbers", { Select(), Flags(1), Table("Numbers"), Where("ID Mod 2 = 1") });

    db.AddSavedQuery("Active customers",
        { Select(), Flags(0), Table("Customers"), Column("Customers.ID"), Column("Customers.Name"),
            Column("City"), Where("Customers.Active=True"), OrderBy("Customers.Name") });
    db.AddSavedQuery("Order totals",
        { Select(), Flags(0), Table("Orders"), Column("Orders.CustomerID"),
            Column("Sum(Orders.Amount)", "Total"), Row(9, 0, "", "", "Orders.CustomerID") });
    db.AddSavedQuery("Big orders",
        { Select(), Flags(0), Table("Customers", "c"), Table("Orders", "o"), Column("c.Name"),
            Column("o.Amount"), Row(7, 1, "c", "o", "c.ID = o.CustomerID"), Where("o.Amount>100"),
            OrderBy("o.Amount") });
    db.AddSavedQuery("Customer orders",
        { Select(), Flags(0), Table("Customers"), Table("Orders"), Column("Customers.Name"),
            Column("Orders.OrderID"), Row(7, 2, "Customers", "Orders", "Customers.ID=Orders.CustomerID"),
            Row(7, 2, "Customers", "Orders", "Orders.Qty>0"), OrderBy("Customers.Name"),
            OrderBy("Orders.OrderID") });
    db.AddSavedQuery("Active totals",
        { Select(), Flags(0), Table("Active customers"), Table("Order totals"),
            Column("[Active customers].ID"), Column("[Active customers].Name"),
            Column("[Order totals].Total"),
            Row(7, 1, "Active customers", "Order totals", "[Active customers].ID=[Order totals].CustomerID"),
            OrderBy("[Order totals].Total", true) });
    db.AddSavedQuery("All names",
        { Row(1, 9), Flags(2), Row(5, 0, "", "X7YZ_____1", "SELECT Name FROM Customers"),
            Row(5, 0, "", "X7YZ_____2", "SELECT Owner FROM [Asset Items]"), OrderBy("Name") });
    db.AddSavedQuery(
        "Top orders", { Select(), Flags(0x11, "2"), Table("Orders"), OrderBy("Orders.Amount", true) });
    db.AddSavedQuery("Expensive linked", { Select(), Flags(1), Table("Prices here"), Where("Price>3") });

    db.AddSavedQuery("Orders since",
        { Select(), Row(2, 8, "Start date"), Flags(0), Table("Orders"), Column("Orders.OrderID"),
            Where("Orders.OrderID>[Start date]") });
    db.AddSavedQuery("Typo query", { Select(), Flags(0), Table("Customers"), Column("Nmae") });
    db.AddSavedQuery("Over typo", { Select(), Flags(1), Table("Typo query") });
    db.AddSavedQuery("Loop one", { Select(), Flags(1), Table("Loop two") });
    db.AddSavedQuery("Loop two", { Select(), Flags(1), Table("Loop one") });
    db.AddSavedQuery("Delete old", { Row(1, 5), Flags(0), Table("Orders"), Where("Orders.Qty=0") });
    db.AddSavedQuery(
        "Add orders", { Row(1, 3, "Orders"), Flags(0), Table("Orders"), Column("Orders.OrderID") });
    db.AddSavedQuery("Sales by city", { Row(1, 6), Table("Customers") });

    db.AddLinkedTable("Prices here", "linked.mdb", "Prices");
    db.AddLinkedTable("Prices sub", "sub\\linked2.mdb", "Prices", ";DATABASE=sub\\linked2.mdb");
    db.AddLinkedTable("Prices win", "C:\\data\\linked.mdb", "Prices", ";DATABASE=C:\\data\\linked.mdb");
    db.AddLinkedTable("Prices unc", "\\\\server\\share\\linked.mdb", "Prices");
    db.AddLinkedTable("Gone", "C:\\data\\missing.mdb", "Prices");
    db.AddLinkedTable(
        "Sheet", "C:\\data\\book.xls", "Sheet1$", "Excel 8.0;HDR=YES;IMEX=2;DATABASE=C:\\data\\book.xls");
    db.AddLinkedTable("Odbc table", "", "dbo.Sales", "ODBC;DSN=Sales;UID=sa;PWD=secret", 4);
    std::string main = dir + "main.mdb";
    db.SaveToFile(main);
    return main;
}

std::vector<std::pair<std::string, std::string>> JetSavedSelectQueries()
{
    std::string const active = "SELECT Customers.ID, Customers.Name, City FROM Customers WHERE "
                               "Customers.Active=True ORDER BY Customers.Name";
    std::string const totals
        = "SELECT Orders.CustomerID, Sum(Orders.Amount) AS Total FROM Orders GROUP BY Orders.CustomerID";
    return {
        { "Active customers", active },
        { "Order totals", totals },
        { "Big orders",
            "SELECT c.Name, o.Amount FROM Customers AS c INNER JOIN Orders AS o ON c.ID = o.CustomerID WHERE "
            "o.Amount>100 ORDER BY o.Amount" },
        { "Customer orders",
            "SELECT Customers.Name, Orders.OrderID FROM Customers LEFT JOIN Orders ON "
            "(Customers.ID=Orders.CustomerID) AND (Orders.Qty>0) ORDER BY Customers.Name, Orders.OrderID" },
        { "Active totals",
            "SELECT a.ID, a.Name, t.Total FROM (" + active + ") AS a INNER JOIN (" + totals
                + ") AS t ON a.ID=t.CustomerID ORDER BY t.Total DESC" },
        { "All names", "SELECT Name FROM Customers UNION SELECT Owner FROM [Asset Items] ORDER BY Name" },
        { "Top orders", "SELECT TOP 2 * FROM Orders ORDER BY Orders.Amount DESC" },
        { "Expensive linked", "SELECT * FROM [Prices here] WHERE Price>3" },
    };
}

} // namespace xe::db
