#include "wiegand_map.h"

namespace k52 {

const WiegandFieldMap kSerialWiegandMap{
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
    &ConfigRecord::serwielp,
    &ConfigRecord::serwierp,
    &ConfigRecord::serwielpbits,
    &ConfigRecord::serwierpbits,
    {&ConfigRecord::serwiefield1, &ConfigRecord::serwiefield2, &ConfigRecord::serwiefield3,
     &ConfigRecord::serwiefield4},
    &ConfigRecord::serwielpmask,
    &ConfigRecord::serwierpmask,
};

const WiegandFieldMap kInputWiegandMap{
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
    &ConfigRecord::input1wielp,
    &ConfigRecord::input1wierp,
    &ConfigRecord::input1wielpbits,
    &ConfigRecord::input1wierpbits,
    {&ConfigRecord::input1wiefield1, &ConfigRecord::input1wiefield2, &ConfigRecord::input1wiefield3,
     &ConfigRecord::input1wiefield4},
    &ConfigRecord::input1wielpmask,
    &ConfigRecord::input1wierpmask,
};

} // namespace k52
