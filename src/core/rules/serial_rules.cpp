#include "serial_rules.h"

#include "link_rules.h"

namespace k52 {

namespace {
constexpr std::array<char, kDataParityChoices> kParityLetters{'E', 'O', 'N'};
}

QString parity_letter(int index) {
    if (index < 0 || index >= kDataParityChoices)
        return {};
    return QString(QLatin1Char(kParityLetters[std::size_t(index)]));
}

std::optional<int> parity_box(const QString &letter) {
    for (int i = 0; i < kDataParityChoices; ++i)
        if (letter == QLatin1Char(kParityLetters[std::size_t(i)]))
            return i;
    return std::nullopt;
}

int conversion_after_click(int index, bool ticked) {
    return ticked ? index : kNoConversion;
}

SerialChoices serial_choices(const ConfigRecord &record) {
    SerialChoices c;
    c.baud = baud_index(record.baudrate);
    c.parity = parity_box(record.parity);
    if (record.serinconvtype >= 0 && record.serinconvtype < kSerConvChoices)
        c.conversion = record.serinconvtype;
    return c;
}

} // namespace k52
