// The direct reading of the common date forms must give exactly what the ICU formatter chain
// gives, in a zone west of UTC, one east of it, and one whose daylight-saving change skips
// midnight.
#include "csv/FieldText.h"
#include "csv/ImportDates.h"

#include <cstdlib>
#include <memory>

namespace {

std::unique_ptr<CSVPorter::ImportDateReader> readerIn(const char* zoneName)
{
    std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(zoneName)));
    return std::make_unique<CSVPorter::ImportDateReader>(*zone);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const auto toronto = readerIn("America/Toronto");
    static const auto tokyo = readerIn("Asia/Tokyo");
    static const auto havana = readerIn("America/Havana");
    if (size > 64)
        return 0; // dates are short; longer inputs only slow the search down
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (CSVPorter::ImportDateReader* reader : {toronto.get(), tokyo.get(), havana.get()})
        if (reader->read(text) != reader->readWithFormatters(CSVPorter::trimmed(text)))
            std::abort();
    return 0;
}
