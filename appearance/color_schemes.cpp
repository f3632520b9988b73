#include "appearance/color_schemes.h"

#include "platform/eljaras.h"
#include "platform/errors.h"

namespace {

constexpr size_t kNameWidth = 14;
constexpr size_t kFieldWidth = 9;
constexpr int kSlots = 10;

int32_t FieldValue(const std::wstring& line, int slot) {
    const std::wstring text = SchemeField(line, slot);
    // An empty field is a missing colour, not black.
    if (text.empty()) throw ConvertError(text);
    return TextToInt(text);
}

}  // namespace

std::wstring SchemeName(const std::wstring& line) { return Trim(line.substr(0, kNameWidth)); }

std::wstring SchemeField(const std::wstring& line, int slot) {
    if (slot < 1 || slot > kSlots) return {};
    const auto start = static_cast<size_t>(10 * slot + 4);
    if (start >= line.size()) return {};
    // A short line's last field is what remains of it; text after column 113 is ignored.
    return Trim(line.substr(start, kFieldWidth));
}

SchemeSlots ParseSchemeLine(const std::wstring& line) {
    SchemeSlots slots{};
    for (int i = 1; i <= kSlots; ++i) slots[static_cast<size_t>(i)] = FieldValue(line, i);
    return slots;
}

int32_t SchemeDrawColour(const std::wstring& line) {
    try {
        return FieldValue(line, 1);
    } catch (const ConvertError&) {
        return 0;
    }
}
