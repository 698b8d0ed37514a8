#pragma once

// Turns a payload resource name into the file name it is written under, in place:
// "QUORVIN__K__VPRESETS_SURREAL.REG" becomes "QuorvinKVpresets Surreal.reg".
// The text only ever shrinks. Returns name.
char* PayloadNameToFileName(char* name);
