/*
 * Contract of the mail-gateway library libagentk9.so (Mail602 mailboxes).
 *
 * The agent loads the library by its bare name and looks up the ten
 * functions below by these names. Numbers are 32-bit, texts zero-terminated
 * 8-bit strings, "char" one byte. All calls come from the agent's main
 * thread. Records are packed with fixed offsets.
 *
 * The read functions hand back a block owned by the library. A 32-bit
 * reference inside a record of that block is a byte offset from the start
 * of the block (0 = none); K9Resolve turns it into an address. The agent
 * never frees these blocks; it hands them back in the confirmation calls.
 */
#ifndef VESTA_AGENTK9_H
#define VESTA_AGENTK9_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define AGENTK9_LIBRARY_NAME "libagentk9.so"

#if defined(__GNUC__)
#define AGENTK9_EXPORT __attribute__((visibility("default")))
#else
#define AGENTK9_EXPORT
#endif

/* Read modes of TK9ReadRequest.Mode. */
#define K9_READ_ALL 1
#define K9_READ_CHANGES 3
/* Mailbox status: the mailbox must be read again in full. */
#define K9_STATUS_READ_AGAIN 2005
/* Message flags: the message has gone since the last confirmation; with
 * neither bit set the message is new. */
#define K9_MESSAGE_GONE_MASK 0x6u

/* Byte offset from the start of the block a read call returned; 0 = none. */
typedef uint32_t K9Ref;

#pragma pack(push, 1)

/* Read request (28 bytes); the agent sets only the mode. */
typedef struct TK9ReadRequest {
  int32_t Mode;           /* 0 */
  uint8_t Reserved4[24];  /* 4 */
} TK9ReadRequest;

/* Mailbox record (325 bytes). */
typedef struct TK9Mailbox {
  uint8_t Reserved0[9];     /* 0 */
  char Name[60];            /* 9: mailbox name */
  char Number[40];          /* 69: mailbox number, the exchange extension */
  int32_t Status;           /* 109: K9_STATUS_READ_AGAIN = read again */
  K9Ref FirstGroup;         /* 113: first message group */
  uint8_t Reserved117[204]; /* 117 */
  K9Ref Next;               /* 321: next mailbox record */
} TK9Mailbox;

/* Message group: all messages of one type (11 bytes). */
typedef struct TK9MessageGroup {
  char Type;           /* 0: 'F' fax, 'H' voice, any other value SMS */
  uint16_t Count;      /* 1: messages of this type (full reads) */
  K9Ref FirstMessage;  /* 3 */
  K9Ref Next;          /* 7: next group */
} TK9MessageGroup;

/* Message (58 bytes). */
typedef struct TK9Message {
  uint8_t Reserved0[4];    /* 0 */
  uint32_t Flags;          /* 4: K9_MESSAGE_GONE_MASK */
  uint32_t Number;         /* 8: message number */
  uint8_t Reserved12[42];  /* 12 */
  K9Ref Next;              /* 54: next message */
} TK9Message;

#pragma pack(pop)

/* The record a reference names inside block, or NULL for reference 0. */
static inline const void* K9Resolve(const void* block, K9Ref ref) {
  return (block != NULL && ref != 0) ? (const void*)((const char*)block + ref) : NULL;
}

AGENTK9_EXPORT void SetDebugLevel(uint32_t level);
/* 0 = ready; anything else leaves the gateway not ready. */
AGENTK9_EXPORT int32_t InicializaceK9Komunikace(const char* configPath, const char* user,
                                                const char* workDirectory, const char* password);
/* Non-zero = some mailbox changed since the last confirmation. */
AGENTK9_EXPORT int32_t RychlyTestZmenVeSchrankach(void);
/* 0 = success; *head then points to the first mailbox record or is NULL. */
AGENTK9_EXPORT int32_t NactiZmenyVeSchrankach(TK9Mailbox** head, TK9ReadRequest* request);
/* Re-reads one mailbox (request mode K9_READ_ALL); 0 = success, *current
 * then points to the fresh full record, the start of a block of its own. */
AGENTK9_EXPORT int32_t NactiZmenyVeSchrance(TK9Mailbox** current, TK9ReadRequest* request,
                                            TK9Mailbox* listed);
AGENTK9_EXPORT int32_t PotvrdPreneseniZmenVeSchrance(TK9Mailbox** current);
AGENTK9_EXPORT int32_t PotvrdPreneseniZmenVeSchrankach(TK9Mailbox** head);
/* 0 = sent. */
AGENTK9_EXPORT int32_t PosliStavovouZpravu(const char* address, char addressType,
                                           const char* subject, const char* text, char flag);
AGENTK9_EXPORT void ZastavAkci(void);
AGENTK9_EXPORT void DeInicializaceK9Komunikace(void);

/* Pointer types for the loader. */
typedef void (*SetDebugLevel_t)(uint32_t);
typedef int32_t (*InicializaceK9Komunikace_t)(const char*, const char*, const char*, const char*);
typedef int32_t (*RychlyTestZmenVeSchrankach_t)(void);
typedef int32_t (*NactiZmenyVeSchrankach_t)(TK9Mailbox**, TK9ReadRequest*);
typedef int32_t (*NactiZmenyVeSchrance_t)(TK9Mailbox**, TK9ReadRequest*, TK9Mailbox*);
typedef int32_t (*PotvrdPreneseniZmenVeSchrance_t)(TK9Mailbox**);
typedef int32_t (*PotvrdPreneseniZmenVeSchrankach_t)(TK9Mailbox**);
typedef int32_t (*PosliStavovouZpravu_t)(const char*, char, const char*, const char*, char);
typedef void (*ZastavAkci_t)(void);
typedef void (*DeInicializaceK9Komunikace_t)(void);

#ifdef __cplusplus
}
#endif

#endif /* VESTA_AGENTK9_H */
