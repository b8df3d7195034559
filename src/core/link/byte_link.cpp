#include "byte_link.h"

namespace k52 {

std::optional<SerialSettings> serial_settings(qint32 baudrate, int parity) {
    SerialSettings s;
    s.baud = baudrate;
    switch (parity) {
    case 0:
        s.parity = Parity::Even;
        break;
    case 1:
        s.parity = Parity::Odd;
        break;
    case 2:
        s.parity = Parity::None;
        s.data_bits = 8;
        break;
    default:
        return std::nullopt;
    }
    return s;
}

QString serial_settings_text(const SerialSettings &s) {
    static const char kParity[] = {'E', 'O', 'N', 'M', 'S'};
    return QStringLiteral("%1,%2,%3,%4")
        .arg(s.baud)
        .arg(QLatin1Char(kParity[static_cast<int>(s.parity)]))
        .arg(s.data_bits)
        .arg(s.stop_bits);
}

std::chrono::milliseconds wire_time(const SerialSettings &s, qint64 bytes) {
    if (s.baud <= 0 || bytes <= 0)
        return std::chrono::milliseconds{0};
    const qint64 bits_per_char = 1 + s.data_bits + (s.parity == Parity::None ? 0 : 1) + s.stop_bits;
    const qint64 bits = bits_per_char * bytes;
    return std::chrono::milliseconds{(bits * 1000 + s.baud - 1) / s.baud};
}

} // namespace k52
