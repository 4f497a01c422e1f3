#pragma once
// Query functions of the test stand-in for libDESKSrvr.so: it records every
// contract call with copies of what it was given.
#include <stdint.h>

#include "vesta/desksrvr.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef int (*DeskTest_CallCount_t)(void);
// Name of call i ("PutInfo", ...), its integer argument, and a copy of the
// bytes it was handed (length through *length).
typedef const char* (*DeskTest_CallName_t)(int);
typedef int (*DeskTest_CallInt_t)(int);
typedef const uint8_t* (*DeskTest_CallBytes_t)(int, int*);
typedef void (*DeskTest_Reset_t)(void);
// The record DESK_GetCommand hands out next.
typedef void (*DeskTest_SetCommand_t)(const TStates*);

#ifdef __cplusplus
}
#endif
