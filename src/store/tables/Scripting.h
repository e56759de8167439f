#pragma once

#include "store/TableDef.h"
#include "store/TableMacros.h"

// Script lines: a task's lines are the records with its number, in sequence order.
#define SCR_FIELDS(F)                                                                              \
    F(ID, Decimal, 6)                                                                              \
    F(Sequence, Decimal, 6)                                                                        \
    F(ACTION, String, 27)                                                                          \
    F(KEYSTROKES, String, 80)                                                                      \
    F(SECONDSTOWAIT, Decimal, 3)                                                                   \
    F(WAITFORWINDOW, String, 80)                                                                   \
    F(FOCUSONWINDOW, String, 80)                                                                   \
    F(WINDOWEXISTANCE, String, 20)                                                                 \
    F(WINDOWTITLETOCHECKFOR, String, 80)                                                           \
    F(IFTIMEELAPSED, String, 20)                                                                   \
    F(TIMEELAPSED, Long, 0)                                                                        \
    F(DDETYPE, String, 20)                                                                         \
    F(DDEAPPLICATIONNAME, String, 80)                                                              \
    F(DDEAPPLICATIONTOPIC, String, 80)                                                             \
    F(DDELINKITEM, String, 80)                                                                     \
    F(DDECOMMAND, String, 80)                                                                      \
    F(COMMAND, String, 255)                                                                        \
    F(PATH, String, 255)                                                                           \
    F(NEXTTASKID, Long, 0)

#define SCR_KEYS(K) K(KeyID, Primary | Unique | NoCase | BlanksOut, "Sequence", ID, Sequence)

STORE_DEFINE_TABLE(SCR, Scripting, "Scripting", "Script", "TL97", 3, KeyID, false)

#undef SCR_FIELDS
#undef SCR_KEYS
