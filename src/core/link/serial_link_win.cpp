// The serial byte link on Windows: the port is a file handle (CreateFile on
// \\.\COMn), set up with SetCommState, read with blocking ReadFile calls
// under COMMTIMEOUTS and written with WriteFile. A read waits at most a
// short slice in the driver, so interrupt() is seen within that slice; the
// wait itself sleeps in the driver. (QSerialPort waits for received bytes
// with WaitCommEvent, which Wine cannot serve on a pseudo-terminal; plain
// reads work on real ports and under Wine alike.)
#include "serial_link.h"

#include "port_doctor.h"

#include <QSerialPort>

#include <windows.h>

#include <algorithm>

namespace k52 {

namespace {

constexpr DWORD kSliceMs = 50;

HANDLE handle_of(void *h) {
    return static_cast<HANDLE>(h);
}

QString windows_error_text(DWORD code) {
    wchar_t *text = nullptr;
    const DWORD n =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    QString out = n ? QString::fromWCharArray(text, int(n)).trimmed() : QStringLiteral("error %1").arg(code);
    if (text)
        LocalFree(text);
    if (out.endsWith(QLatin1Char('.')))
        out.chop(1);
    return out;
}

BYTE parity_code(Parity p) {
    switch (p) {
    case Parity::Even:
        return EVENPARITY;
    case Parity::Odd:
        return ODDPARITY;
    case Parity::Mark:
        return MARKPARITY;
    case Parity::Space:
        return SPACEPARITY;
    case Parity::None:
        break;
    }
    return NOPARITY;
}

// What Windows can tell: the port is missing (the COM ports present, and
// the driver as the likely cause), or another program has it open (Windows
// lets one program at a time open a COM port).
QString open_failure_text(const QString &port, DWORD code) {
    if (code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION)
        return QStringLiteral("Serial port %1 is in use by another program (a terminal program, another copy of this "
                              "program or a modem tool): close it first.")
            .arg(port);
    const QString text = explain_open_failure(port, windows_error_text(code), false, system_port_environment());
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND)
        return text + QStringLiteral(" When the adapter is plugged in but no COM port appears for it, install its "
                                     "driver (Device Manager lists the adapter under \"Ports (COM & LPT)\").");
    return text;
}

} // namespace

SerialLink::SerialLink() = default;

SerialLink::~SerialLink() {
    close();
}

void SerialLink::drain_wake() {}

bool SerialLink::open_port(const QString &port, const SerialSettings &s, QString *error) {
    const QString path = port.startsWith(QLatin1String("\\\\.\\")) ? port : QStringLiteral("\\\\.\\") + port;
    HANDLE h = CreateFileW(reinterpret_cast<const wchar_t *>(path.utf16()), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        if (error)
            *error = open_failure_text(port, code);
        return false;
    }
    // Every field set here: under Wine GetCommState can fail on a
    // pseudo-terminal (no modem lines), and a DCB left half filled (XON
    // equal to XOFF) is refused.
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    dcb.XonChar = 0x11;
    dcb.XoffChar = 0x13;
    dcb.XonLim = 2048;
    dcb.XoffLim = 512;
    dcb.BaudRate = DWORD(s.baud);
    dcb.ByteSize = BYTE(s.data_bits);
    dcb.Parity = parity_code(s.parity);
    dcb.StopBits = s.stop_bits == 2 ? TWOSTOPBITS : ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = s.parity != Parity::None;
    // No flow control; the modem-control lines up, as a Linux port opens.
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    // Wine refuses to set a pseudo-terminal to the framing it already has
    // when that has parity (ERROR_INVALID_PARAMETER): set 8 None first,
    // then the framing asked for.
    DCB plain = dcb;
    plain.ByteSize = 8;
    plain.Parity = NOPARITY;
    plain.fParity = FALSE;
    if (!SetCommState(h, &dcb) && !(SetCommState(h, &plain) && SetCommState(h, &dcb))) {
        const DWORD code = GetLastError();
        CloseHandle(h);
        if (error)
            *error = QStringLiteral("Unable to set up serial port %1 as %2: %3")
                         .arg(port, serial_settings_text(s), windows_error_text(code));
        return false;
    }
    PurgeComm(h, PURGE_RXCLEAR | PURGE_TXCLEAR);
    handle_ = h;
    read_wait_ms_ = -1;
    return true;
}

void SerialLink::release_port() {
    CloseHandle(handle_of(handle_));
    handle_ = nullptr;
}

bool SerialLink::is_open() const {
    return handle_ && !failed_ && !interrupted_;
}

void SerialLink::interrupt() {
    interrupted_ = true;
}

// One ReadFile that returns as soon as a byte is there, or after `wait_ms`
// (0: at once) with nothing.
bool SerialLink::wait_ready(bool, LinkClock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - LinkClock::now()).count();
    const int wait_ms = int(std::clamp<long long>(left, 0, kSliceMs));
    if (wait_ms != read_wait_ms_) {
        COMMTIMEOUTS t{};
        t.ReadIntervalTimeout = MAXDWORD;
        t.ReadTotalTimeoutMultiplier = wait_ms > 0 ? MAXDWORD : 0;
        t.ReadTotalTimeoutConstant = DWORD(wait_ms);
        t.WriteTotalTimeoutConstant = 2000;
        if (!SetCommTimeouts(handle_of(handle_), &t)) {
            failed_ = true;
            return false;
        }
        read_wait_ms_ = wait_ms;
    }
    return true;
}

bool SerialLink::pull_pending() {
    if (in_pos_ >= in_.size())
        clear_buffer();
    char buf[4096];
    DWORD got = 0;
    if (!ReadFile(handle_of(handle_), buf, sizeof buf, &got, nullptr)) {
        failed_ = true; // the device went away
        return false;
    }
    in_.append(buf, qsizetype(got));
    return true;
}

bool SerialLink::write(const QByteArray &bytes) {
    if (!is_open())
        return false;
    const char *p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        DWORD done = 0;
        if (!WriteFile(handle_of(handle_), p, DWORD(left), &done, nullptr) || done == 0) {
            failed_ = true;
            return false;
        }
        p += done;
        left -= qsizetype(done);
    }
    return is_open();
}

std::optional<quint8> SerialLink::read_byte(LinkClock::time_point deadline) {
    while (is_open()) {
        if (in_pos_ < in_.size())
            return static_cast<quint8>(in_.at(in_pos_++));
        if (LinkClock::now() >= deadline)
            return std::nullopt;
        if (!wait_ready(false, deadline) || !pull_pending())
            return std::nullopt;
    }
    return std::nullopt;
}

int SerialLink::bytes_waiting() {
    if (!is_open())
        return 0;
    if (in_pos_ >= in_.size() && wait_ready(false, LinkClock::now()))
        pull_pending();
    return is_open() ? static_cast<int>(in_.size() - in_pos_) : 0;
}

void SerialLink::purge_received() {
    PurgeComm(handle_of(handle_), PURGE_RXCLEAR);
}

} // namespace k52
