// "Wiegand and Magstripe Input to Wiegand Output Options" (`wietowie`): the
// Wiegand output built from Wiegand or magstripe input, settings input1wie...
// Its LSB and Override boxes are applied by their click handlers alone.
#include "wiegand_output_editor.h"

namespace k52 {

const WiegandOutputVariant kWieToWieVariant{
    QT_TRANSLATE_NOOP("k52::WiegandOutputEditor", "Wiegand and Magstripe Input to Wiegand Output Options"),
    QT_TRANSLATE_NOOP("k52::WiegandOutputEditor", "Value (hex)"),
    false,
    false,
    kInputWiegandMap,
};

} // namespace k52
