// "Serial Input  to Wiegand Output Options" (`sertowie`): the Wiegand output
// built from serial input, settings serwie...
#include "wiegand_output_editor.h"

namespace k52 {

const WiegandOutputVariant kSerToWieVariant{
    "Serial Input  to Wiegand Output Options", "Value (hex):", true, true, kSerialWiegandMap,
};

} // namespace k52
