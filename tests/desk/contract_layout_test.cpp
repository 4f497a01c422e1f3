// The records of the two library contracts keep every offset and width.
#include <gtest/gtest.h>

#include <cstddef>

#include "vesta/agentk9.h"
#include "vesta/desksrvr.h"

extern "C" size_t ContractHeadersMailboxSizeFromC(void);

#define EXPECT_FIELD(type, field, offset, width)                      \
  static_assert(offsetof(type, field) == (offset), #type "." #field); \
  static_assert(sizeof(type::field) == (width), #type "." #field)

EXPECT_FIELD(TStates, Command, 0, 1);
EXPECT_FIELD(TStates, Param1, 1, 1);
EXPECT_FIELD(TStates, Unused2, 2, 1);
EXPECT_FIELD(TStates, Param2, 3, 1);
EXPECT_FIELD(TStates, Port, 4, 1);
EXPECT_FIELD(TStates, Unused5, 5, 3);
EXPECT_FIELD(TStates, Data, 8, 48);
EXPECT_FIELD(TStates, Unused56, 56, 32);
static_assert(sizeof(TStates) == 88);

EXPECT_FIELD(TStavLinek, State, 0, 1);
EXPECT_FIELD(TStavLinek, Info, 1, 2);
EXPECT_FIELD(TStavLinek, Flags, 3, 1);
static_assert(sizeof(TStavLinek) == 4);
static_assert(sizeof(TInfo) == 7);
static_assert(sizeof(TPortStruct) == 144);
static_assert(sizeof(TFront) == DESK_FRONT_SIZE);
EXPECT_FIELD(TRect, Left, 0, 4);
EXPECT_FIELD(TRect, Top, 4, 4);
EXPECT_FIELD(TRect, Right, 8, 4);
EXPECT_FIELD(TRect, Bottom, 12, 4);

EXPECT_FIELD(TK9ReadRequest, Mode, 0, 4);
static_assert(sizeof(TK9ReadRequest) == 28);

EXPECT_FIELD(TK9Mailbox, Reserved0, 0, 9);
EXPECT_FIELD(TK9Mailbox, Name, 9, 60);
EXPECT_FIELD(TK9Mailbox, Number, 69, 40);
EXPECT_FIELD(TK9Mailbox, Status, 109, 4);
EXPECT_FIELD(TK9Mailbox, FirstGroup, 113, 4);
EXPECT_FIELD(TK9Mailbox, Reserved117, 117, 204);
EXPECT_FIELD(TK9Mailbox, Next, 321, 4);
static_assert(sizeof(TK9Mailbox) == 325);

EXPECT_FIELD(TK9MessageGroup, Type, 0, 1);
EXPECT_FIELD(TK9MessageGroup, Count, 1, 2);
EXPECT_FIELD(TK9MessageGroup, FirstMessage, 3, 4);
EXPECT_FIELD(TK9MessageGroup, Next, 7, 4);
static_assert(sizeof(TK9MessageGroup) == 11);

EXPECT_FIELD(TK9Message, Reserved0, 0, 4);
EXPECT_FIELD(TK9Message, Flags, 4, 4);
EXPECT_FIELD(TK9Message, Number, 8, 4);
EXPECT_FIELD(TK9Message, Reserved12, 12, 42);
EXPECT_FIELD(TK9Message, Next, 54, 4);
static_assert(sizeof(TK9Message) == 58);

TEST(LibraryContract, CAndCppAgreeOnTheRecordSizes) {
  EXPECT_EQ(ContractHeadersMailboxSizeFromC(), sizeof(TK9Mailbox));
}

// References are byte offsets from the start of the block a read returned.
TEST(LibraryContract, K9ResolveTurnsOffsetsIntoRecordsAndZeroIntoNone) {
  unsigned char block[2 * sizeof(TK9Mailbox)] = {};
  EXPECT_EQ(K9Resolve(block, 0), nullptr);
  EXPECT_EQ(K9Resolve(nullptr, 12), nullptr);
  EXPECT_EQ(K9Resolve(block, sizeof(TK9Mailbox)), block + sizeof(TK9Mailbox));
}
