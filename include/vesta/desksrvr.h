/*
 * Contract of the desktop call-control library libDESKSrvr.so.
 *
 * The agent loads the library (beside its executable first, then the system
 * search path), looks up the twelve functions below by these undecorated
 * names in the order they are declared, and calls them only from its main
 * thread. It uses no result. Records are packed: every offset is fixed and
 * shared with the library.
 */
#ifndef VESTA_DESKSRVR_H
#define VESTA_DESKSRVR_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define DESKSRVR_LIBRARY_NAME "libDESKSrvr.so"
/* Window message the library posts to the window given to DESK_Init. */
#define DESK_COMMAND_MESSAGE 0x8191u

#if defined(__GNUC__)
#define DESKSRVR_EXPORT __attribute__((visibility("default")))
#else
#define DESKSRVR_EXPORT
#endif

#pragma pack(push, 1)

/* Operator command record, filled by DESK_GetCommand (88 bytes). */
typedef struct TStates {
  uint8_t Command;     /* 0: command code 0 to 9 */
  uint8_t Param1;      /* 1: command 6, first parameter */
  uint8_t Unused2;     /* 2 */
  uint8_t Param2;      /* 3: command 6, second parameter */
  uint8_t Port;        /* 4: the port the command applies to */
  uint8_t Unused5[3];  /* 5 */
  /* 8: command 4 the number to dial (zero-ended when shorter than 48);
   * commands 5 and 8 an index in byte 8; command 6 two length-prefixed
   * fields whose length bytes count themselves. */
  uint8_t Data[48];
  uint8_t Unused56[32]; /* 56 */
} TStates;

/* One port state as the port state table holds it (4 bytes). */
typedef struct TStavLinek {
  uint8_t State;      /* 0 */
  uint8_t Info[2];    /* 1: passed on unread */
  uint8_t Flags;      /* 3: bit 0 = caller (CLIP) data available */
} TStavLinek;

#define DESK_FLAG_CLIP 0x01u

/* The exchange's information record as the agent holds it (7 bytes);
 * byte 2 is the port base, byte 3 the number of Personal records. */
typedef struct TInfo {
  uint8_t Bytes[7];
} TInfo;

/* The exchange's port structure, structure 40 (144 bytes). */
typedef struct TPortStruct {
  uint8_t Bytes[144];
} TPortStruct;

/* Queue data as the exchange sent it (answer to command 33 from its byte 1),
 * zero-filled to a fixed size so the library never reads past it. */
#define DESK_FRONT_SIZE 512
typedef struct TFront {
  uint8_t Bytes[DESK_FRONT_SIZE];
} TFront;

/* The short-number memory: 66 blocks of 236 bytes. */
#define DESK_SHORTMEM_SIZE (66 * 236)
/* Personal records: 30 records of 32 pointers into the short-number memory,
 * each a 16-bit word stored big-endian, as the exchange sends it. */
#define DESK_PERSONAL_RECORDS 30
#define DESK_PERSONAL_POINTERS 32

/* Rectangle passed by value to DESK_Users. */
typedef struct TRect {
  int32_t Left;
  int32_t Top;
  int32_t Right;
  int32_t Bottom;
} TRect;

/* The agent's language texts ("number=text" lines) handed to DESK_Users. */
typedef struct TDeskTextList {
  int32_t Count;
  const char* const* Lines;
} TDeskTextList;

#pragma pack(pop)

/* Functions, in lookup order. */
DESKSRVR_EXPORT void DESK_Init(void* window, unsigned int message);
DESKSRVR_EXPORT void DESK_DeInit(void);
/* count mailbox numbers of 4 characters each, zero-padded, no terminators. */
DESKSRVR_EXPORT void DESK_PutLines(int count, const char* numbers);
DESKSRVR_EXPORT void DESK_PutInfo(const TInfo* info);
DESKSRVR_EXPORT void DESK_PutPorts(const TPortStruct* ports);
DESKSRVR_EXPORT void DESK_PutStates(int count, const TStavLinek* states);
/* clip: the caller data, zero-terminated. */
DESKSRVR_EXPORT void DESK_PutCLIP(int port, const char* clip);
DESKSRVR_EXPORT void DESK_PutFront(int portBase, const TFront* front);
DESKSRVR_EXPORT void DESK_GetCommand(int parameter, TStates* command);
/* text: one billing record, zero-terminated. */
DESKSRVR_EXPORT void DESK_PutAccLine(const char* text);
DESKSRVR_EXPORT void DESK_PutShorts(const unsigned char* shortMem,
                                    const unsigned short (*personal)[DESK_PERSONAL_POINTERS]);
DESKSRVR_EXPORT void DESK_Users(TRect rect, const TDeskTextList* texts);

/* Pointer types for the loader. */
typedef void (*DESK_Init_t)(void*, unsigned int);
typedef void (*DESK_DeInit_t)(void);
typedef void (*DESK_PutLines_t)(int, const char*);
typedef void (*DESK_PutInfo_t)(const TInfo*);
typedef void (*DESK_PutPorts_t)(const TPortStruct*);
typedef void (*DESK_PutStates_t)(int, const TStavLinek*);
typedef void (*DESK_PutCLIP_t)(int, const char*);
typedef void (*DESK_PutFront_t)(int, const TFront*);
typedef void (*DESK_GetCommand_t)(int, TStates*);
typedef void (*DESK_PutAccLine_t)(const char*);
typedef void (*DESK_PutShorts_t)(const unsigned char*, const unsigned short (*)[DESK_PERSONAL_POINTERS]);
typedef void (*DESK_Users_t)(TRect, const TDeskTextList*);

#ifdef __cplusplus
}
#endif

#endif /* VESTA_DESKSRVR_H */
