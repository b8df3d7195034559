#pragma once
// The "Back up the converter before writing" tick box of the windows that
// write to a converter; its state is remembered in the profile database and
// shared by every such window.

#include "core/profile/profile_store.h"

#include <QCheckBox>

namespace k52 {

class BackupOptionBox : public QCheckBox {
    Q_OBJECT
public:
    BackupOptionBox(ProfileStore &store, QWidget *parent = nullptr);
    // Shows the remembered state (another window may have changed it).
    void refresh();

private:
    ProfileStore &store_;
};

} // namespace k52
