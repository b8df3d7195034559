#pragma once

#include "core/link/port_names.h"
#include "core/rules/link_rules.h"
#include "window/ui/base_screen.h"

#include <QVector>

#include <array>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace k52 {

class FindConverterPanel;

// "Communications Setup" (`commform`): edits the link settings, not the
// configuration record. Every tick and every change of a text box goes into
// the link settings at once. Beside each comm port number it shows the
// device that the number opens on this machine; a device path, when given,
// is opened instead. The port chosen is remembered by its adapter's
// identity, and the box it stands at now is marked; the port list is read
// again about once a second while the screen is shown.
class CommFormScreen : public BaseScreen {
    Q_OBJECT
public:
    explicit CommFormScreen(AppContext &ctx, QWidget *parent = nullptr);

    // Controls from the link settings, as start-up leaves them.
    void set_from_link() override;
    // Reads the machine's serial ports again ("Refresh", and the poll).
    void refresh_ports();

    // Where the port list comes from (the machine's ports unless replaced);
    // the search of Find Converter uses it too.
    using PortLister = std::function<QVector<PortEntry>()>;
    void set_port_lister(PortLister lister);

    QCheckBox *mode_box(int index) const { return mode_[std::size_t(index)]; } // kModeTcp, kModeSerial
    QCheckBox *port_box(int number) const { return port_[std::size_t(number - 1)]; }
    QLabel *port_label(int number) const { return port_label_[std::size_t(number - 1)]; }
    QCheckBox *baud_box(int index) const { return baud_[std::size_t(index)]; }
    QCheckBox *parity_box(int index) const { return parity_[std::size_t(index)]; }
    QLineEdit *terminator_edit() const { return terminator_; }
    QLineEdit *ip_edit() const { return ip_; }
    QLineEdit *tcp_port_edit() const { return tcp_port_; }
    QLineEdit *device_edit() const { return device_; }
    QPushButton *refresh_button() const { return refresh_; }
    QLabel *device_note() const { return note_; }
    FindConverterPanel *find_panel() const { return find_; }
    QTimer *poll_timer() const { return poll_; }

protected:
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;

private:
    void update_note();
    // Port captions, the remembered adapter's mark and the note.
    void show_ports();
    // The ports the search tries: the listed ones and a typed device path.
    QVector<PortEntry> ports_to_search() const;

    std::array<QCheckBox *, 2> mode_{};
    std::array<QCheckBox *, kCommPortChoices> port_{};
    std::array<QLabel *, kCommPortChoices> port_label_{};
    std::array<QCheckBox *, kBaudChoices> baud_{};
    std::array<QCheckBox *, kParityChoices> parity_{};
    QLineEdit *terminator_ = nullptr;
    QLineEdit *ip_ = nullptr;
    QLineEdit *tcp_port_ = nullptr;
    QLineEdit *device_ = nullptr;
    QPushButton *refresh_ = nullptr;
    QLabel *note_ = nullptr;
    FindConverterPanel *find_ = nullptr;
    QTimer *poll_ = nullptr;

    PortLister lister_;
    QVector<PortEntry> ports_;
    bool filling_ = false; // set_from_link is running
};

} // namespace k52
