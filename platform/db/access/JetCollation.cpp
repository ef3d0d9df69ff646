#include "platform/db/access/JetCollation.h"

#include "platform/base/Strings.h"

#include <sqlite3.h>
#include <unicode/ucol.h>
#include <unicode/uloc.h>
#include <unicode/ustring.h>

#include <memory>

namespace xe::db {

namespace {

struct TCollator {
    UCollator* Collator = nullptr; // null: the case-insensitive fallback
    ~TCollator()
    {
        if (Collator)
            ucol_close(Collator);
    }
};

int Compare(void* context, int aSize, void const* a, int bSize, void const* b)
{
    auto* c = static_cast<TCollator*>(context);
    if (c->Collator) {
        UErrorCode status = U_ZERO_ERROR;
        UCollationResult r = ucol_strcollUTF8(
            c->Collator, static_cast<char const*>(a), aSize, static_cast<char const*>(b), bSize, &status);
        if (U_SUCCESS(status))
            return r == UCOL_LESS ? -1 : r == UCOL_GREATER ? 1 : 0;
    }
    std::u16string x = base::Utf8ToUtf16(std::string_view(static_cast<char const*>(a), size_t(aSize)));
    std::u16string y = base::Utf8ToUtf16(std::string_view(static_cast<char const*>(b), size_t(bSize)));
    UErrorCode status = U_ZERO_ERROR;
    int r = u_strCaseCompare(x.data(), int32_t(x.size()), y.data(), int32_t(y.size()),
        U_FOLD_CASE_DEFAULT | U_COMPARE_CODE_POINT_ORDER, &status);
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

void Destroy(void* context) { delete static_cast<TCollator*>(context); }

} // namespace

std::string JetSortOrderLocale(uint32_t sortOrder)
{
    // Jet keeps the locale id with its sort id (bits 16-19): 0x20804 is Chinese PRC by stroke.
    uint32_t lcid = sortOrder & 0xFFFFF;
    if ((lcid & 0xFFFF) == 0x0409 || lcid == 0 || lcid == 0x0400)
        return "root"; // General: the Unicode order of all scripts, English rules
    char locale[ULOC_FULLNAME_CAPACITY] = {};
    UErrorCode status = U_ZERO_ERROR;
    int32_t n = uloc_getLocaleForLCID(lcid, locale, sizeof locale, &status);
    if (U_FAILURE(status) || n <= 0 || status == U_USING_FALLBACK_WARNING)
        return "";
    return locale;
}

void RegisterJetCollation(sqlite3* db, uint32_t sortOrder, std::string* fallback)
{
    auto collator = std::make_unique<TCollator>();
    std::string locale = JetSortOrderLocale(sortOrder);
    if (!locale.empty()) {
        UErrorCode status = U_ZERO_ERROR;
        collator->Collator = ucol_open(locale.c_str(), &status);
        if (U_FAILURE(status)) {
            collator->Collator = nullptr;
        } else {
            // Secondary strength: accents count, letter case does not.
            ucol_setStrength(collator->Collator, UCOL_SECONDARY);
        }
    }
    if (fallback)
        *fallback = collator->Collator
            ? std::string()
            : base::Format("The database's sort order (0x%X) is not known here; its "
                           "text is compared without regard to case, in code point order.",
                unsigned(sortOrder));
    sqlite3_create_collation_v2(db, JetCollationName, SQLITE_UTF8, collator.release(), Compare, Destroy);
}

} // namespace xe::db
