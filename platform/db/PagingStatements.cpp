#include "platform/db/PagingStatements.h"

#include "platform/base/Strings.h"

namespace xe::db {

using base::IntToStr;

std::string PagingCountStatement(std::string const& strSql)
{
    return "select count(*) from (" + strSql + ") as a";
}

std::string PagingFirstStatement(std::string const& strSql, int64_t pageSize)
{
    return "select top " + IntToStr(pageSize) + " * from (" + strSql + ") order by id";
}

std::string PagingLastIdStatement(std::string const& strSql, int64_t k)
{
    return "select MAX(ID) from (select top " + IntToStr(k) + " *  from (" + strSql + ") order by id) ";
}

std::string PagingNextStatement(std::string const& strSql, int64_t pageSize, int64_t m)
{
    return "select top " + IntToStr(pageSize) + " * from (" + strSql + ") WHERE  id >" + IntToStr(m)
        + " order by id";
}

} // namespace xe::db
