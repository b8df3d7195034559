// "Serial Input  to Wiegand Output Options" (`sertowie`): the Wiegand output
// built from serial input, settings serwie...
#include "wiegand_output_editor.h"

namespace k52 {

const WiegandOutputVariant kSerToWieVariant{
    QT_TRANSLATE_NOOP("k52::WiegandOutputEditor", "Serial Input  to Wiegand Output Options"),
    QT_TRANSLATE_NOOP("k52::WiegandOutputEditor", "Value (hex):"),
    true,
    true,
    kSerialWiegandMap,
};

} // namespace k52
