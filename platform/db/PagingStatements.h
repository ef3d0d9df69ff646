#pragma once

#include <cstdint>
#include <string>

namespace xe::db {

// The statements of a paged export over the configured statement S, composed here for the
// export and answered by TADOQuery from the rows of S in id order (a seek through an integer
// primary key, or an ordered copy of S), which keeps the last page as quick as the first.
// The query recognises their shapes, not their spelling; the spacing is the export's own and
// part of the texts:
//   count          select count(*) from (S) as a
//   first page     select top <n> * from (S) order by id
//   last id        select MAX(ID) from (select top <k> *  from (S) order by id)      (final blank)
//   next page      select top <n> * from (S) WHERE  id ><m> order by id
// The next page is ordered by id: without the order the database may hand back any n rows
// above m, and rows are then lost or doubled.
std::string PagingCountStatement(std::string const& strSql);
std::string PagingFirstStatement(std::string const& strSql, int64_t pageSize);
// The largest id of the first k rows in id order.
std::string PagingLastIdStatement(std::string const& strSql, int64_t k);
// The page after id m.
std::string PagingNextStatement(std::string const& strSql, int64_t pageSize, int64_t m);

} // namespace xe::db
