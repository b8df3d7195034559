// "Wiegand and Magstripe Input to Wiegand Output Options" (`wietowie`): the
// Wiegand output built from Wiegand or magstripe input, settings input1wie...
// Its LSB and Override boxes are applied by their click handlers alone.
#include "wiegand_output_editor.h"

namespace k52 {

const WiegandOutputVariant kWieToWieVariant{
    "Wiegand and Magstripe Input to Wiegand Output Options",
    "Value (hex)",
    false,
    false,
    {&ConfigRecord::input1wieextractsite, &ConfigRecord::input1wieextractid, &ConfigRecord::input1wieextractissue},
    {&ConfigRecord::input1wiesitechrstart, &ConfigRecord::input1wieidchrstart, &ConfigRecord::input1wieissuechrstart},
    {&ConfigRecord::input1wiesitechrlen, &ConfigRecord::input1wieidchrlen, &ConfigRecord::input1wieissuechrlen},
    {&ConfigRecord::input1wiesitebits, &ConfigRecord::input1wieidbits, &ConfigRecord::input1wieissuebits,
     &ConfigRecord::input1wieconstbits},
    {&ConfigRecord::input1wiesitelsb, &ConfigRecord::input1wieidlsb, &ConfigRecord::input1wieissuelsb,
     &ConfigRecord::input1wieconstlsb},
    {&ConfigRecord::input1wieoversite, &ConfigRecord::input1wieoverid, &ConfigRecord::input1wieoverissue},
    {&ConfigRecord::input1wiesiteover, &ConfigRecord::input1wieidover, &ConfigRecord::input1wieissueover,
     &ConfigRecord::input1wieconstover},
    &ConfigRecord::input1wieparity,
    &ConfigRecord::input1wielpbits,
    &ConfigRecord::input1wierpbits,
    &ConfigRecord::input1wielp,
    &ConfigRecord::input1wierp,
    {&ConfigRecord::input1wiefield1, &ConfigRecord::input1wiefield2, &ConfigRecord::input1wiefield3,
     &ConfigRecord::input1wiefield4},
    &ConfigRecord::input1wielpmask,
    &ConfigRecord::input1wierpmask,
};

} // namespace k52
