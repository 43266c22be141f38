// Design settings read back from stored text: fonts and property values.
#include "forms/core/PropertyBag.h"
#include "forms/core/StoredFont.h"
#include "tests/fuzz/FuzzText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring text = fuzz::WideText(fuzz::Bytes(data, size));
    if (const std::optional<forms::StoredFont> font = forms::FontFromText(text)) {
        // What was read is written back so that it reads the same.
        fuzz::Require(forms::FontFromText(forms::FontAsText(*font)) == *font);
        forms::FontHeightOf(font->points, 96);
    }
    forms::PropertyBag bag;
    bag.Write<std::wstring>("Value", text);
    bag.Read<bool>("Value", false);
    bag.Read<std::int32_t>("Value", 0);
    bag.Read<double>("Value", 0.0);
    bag.ReadFont("Value", forms::StoredFont{});
    return 0;
}
