// "Serial Input  to Wiegand Output Options" (`sertowie`): the Wiegand output
// built from serial input, settings serwie...
#include "wiegand_output_editor.h"

namespace k52 {

const WiegandOutputVariant kSerToWieVariant{
    "Serial Input  to Wiegand Output Options",
    "Value (hex):",
    true,
    true,
    {&ConfigRecord::serwieextractsite, &ConfigRecord::serwieextractid, &ConfigRecord::serwieextractissue},
    {&ConfigRecord::serwiesitestart, &ConfigRecord::serwieidstart, &ConfigRecord::serwieissuestart},
    {&ConfigRecord::serwiesitelen, &ConfigRecord::serwieidlen, &ConfigRecord::serwieissuelen},
    {&ConfigRecord::serwiesitebits, &ConfigRecord::serwieidbits, &ConfigRecord::serwieissuebits,
     &ConfigRecord::serwieconstbits},
    {&ConfigRecord::serwiesitelsb, &ConfigRecord::serwieidlsb, &ConfigRecord::serwieissuelsb,
     &ConfigRecord::serwieconstlsb},
    {&ConfigRecord::serwieoversite, &ConfigRecord::serwieoverid, &ConfigRecord::serwieoverissue},
    {&ConfigRecord::serwiesiteover, &ConfigRecord::serwieidover, &ConfigRecord::serwieissueover,
     &ConfigRecord::serwieconstover},
    &ConfigRecord::serwieparity,
    &ConfigRecord::serwielpbits,
    &ConfigRecord::serwierpbits,
    &ConfigRecord::serwielp,
    &ConfigRecord::serwierp,
    {&ConfigRecord::serwiefield1, &ConfigRecord::serwiefield2, &ConfigRecord::serwiefield3,
     &ConfigRecord::serwiefield4},
    &ConfigRecord::serwielpmask,
    &ConfigRecord::serwierpmask,
};

} // namespace k52
