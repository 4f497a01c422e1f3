/* Both library headers are plain C: the records keep their offsets there too. */
#include <stddef.h>

#include "vesta/agentk9.h"
#include "vesta/desksrvr.h"

_Static_assert(sizeof(TStates) == 88, "TStates");
_Static_assert(offsetof(TStates, Port) == 4, "TStates.Port");
_Static_assert(offsetof(TStates, Data) == 8, "TStates.Data");
_Static_assert(sizeof(TK9Mailbox) == 325, "TK9Mailbox");
_Static_assert(offsetof(TK9Mailbox, Next) == 321, "TK9Mailbox.Next");
_Static_assert(sizeof(TK9MessageGroup) == 11, "TK9MessageGroup");
_Static_assert(sizeof(TK9Message) == 58, "TK9Message");

/* Used by the layout test so the C translation unit is linked in. */
size_t ContractHeadersMailboxSizeFromC(void) { return sizeof(TK9Mailbox); }
