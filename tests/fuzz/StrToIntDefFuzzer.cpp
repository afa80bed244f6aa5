// StrToIntDef on arbitrary UTF-16 texts: the default comes back exactly when the text
// is no integer, and every integer read is written back by IntToStr to a text that
// reads the same.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzText.h"
#include "NumberReading.h"
#include "NumberWriting.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ostrafel;
    const std::u16string text = fuzzing::TextFromFuzzBytes(data, size);
    const int withHundred = StrToIntDef(text, 100);
    const int withMinusSeven = StrToIntDef(text, -7);
    if (withHundred != withMinusSeven) {
        if (withHundred != 100 || withMinusSeven != -7)
            std::abort();
        return 0;
    }
    if (StrToIntDef(IntToStr(withHundred), 100) != withHundred ||
        StrToIntDef(IntToStr(withHundred), -7) != withHundred)
        std::abort();
    return 0;
}
