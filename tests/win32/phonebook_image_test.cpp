// The entry layout against RASENTRYA as the platform headers declare it. The program's image
// is compared byte for byte with the stand-in's for every published size (natively); here
// the stand-in's fields are compared with the declared structure's.
#include <windows.h>
#include <ras.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <string_view>

#include "phonebook/credentials.h"
#include "standin/entry_layout.h"

namespace {

using DeclaredEntry = RASENTRYA;  // a macro of an elaborated name in the headers
static_assert(sizeof(DeclaredEntry) == 2884, "the newest published RASENTRYA");
// The credentials of a pre-shared key, laid out by the program at explicit offsets.
using DeclaredCredentials = RASCREDENTIALSA;
static_assert(sizeof(DeclaredCredentials) == modRASVPN::kCredentialsSize);
static_assert(offsetof(DeclaredCredentials, dwMask) == 4);
static_assert(offsetof(DeclaredCredentials, szPassword) == modRASVPN::kCredentialsPasswordAt);
static_assert(sizeof(DeclaredCredentials::szPassword) == modRASVPN::kPasswordLength + 1);
static_assert(RASCM_PreSharedKey == modRASVPN::kPreSharedKeyMask);

struct Declared {
  std::string_view name;
  std::size_t offset, width;
};

#define DECLARED(field) \
  Declared { #field, offsetof(DeclaredEntry, field), sizeof(DeclaredEntry::field) }
constexpr Declared kStoredFields[] = {
    DECLARED(dwfOptions), DECLARED(dwCountryID), DECLARED(dwCountryCode), DECLARED(szAreaCode),
    DECLARED(szLocalPhoneNumber), DECLARED(ipaddr), DECLARED(ipaddrDns), DECLARED(ipaddrDnsAlt),
    DECLARED(ipaddrWins), DECLARED(ipaddrWinsAlt), DECLARED(dwFrameSize),
    DECLARED(dwfNetProtocols), DECLARED(dwFramingProtocol), DECLARED(szScript),
    DECLARED(szAutodialDll), DECLARED(szAutodialFunc), DECLARED(szDeviceType),
    DECLARED(szDeviceName), DECLARED(szX25PadType), DECLARED(szX25Address),
    DECLARED(szX25Facilities), DECLARED(szX25UserData), DECLARED(dwChannels),
    DECLARED(dwSubEntries), DECLARED(dwDialMode), DECLARED(dwDialExtraPercent),
    DECLARED(dwDialExtraSampleSeconds), DECLARED(dwHangUpExtraPercent),
    DECLARED(dwHangUpExtraSampleSeconds), DECLARED(dwIdleDisconnectSeconds), DECLARED(dwType),
    DECLARED(dwEncryptionType), DECLARED(dwCustomAuthKey), DECLARED(guidId),
    DECLARED(szCustomDialDll), DECLARED(dwVpnStrategy), DECLARED(dwfOptions2),
    DECLARED(dwfOptions3), DECLARED(szDnsSuffix), DECLARED(dwTcpWindowSize),
    DECLARED(szPrerequisitePbk), DECLARED(szPrerequisiteEntry), DECLARED(dwRedialCount),
    DECLARED(dwRedialPause)};
#undef DECLARED

TEST(PhonebookImage, EveryStoredFieldLiesWhereTheDeclaredStructureHasIt) {
  const auto layout = standin::EntryLayout(sizeof(DeclaredEntry));
  ASSERT_EQ(layout.size(), std::size(kStoredFields));
  for (std::size_t i = 0; i < layout.size(); ++i) {
    EXPECT_EQ(layout[i].name, kStoredFields[i].name);
    EXPECT_EQ(layout[i].offset, kStoredFields[i].offset) << kStoredFields[i].name;
    EXPECT_EQ(layout[i].width, kStoredFields[i].width) << kStoredFields[i].name;
  }
  EXPECT_EQ(offsetof(DeclaredEntry, dwAlternateOffset), standin::kAlternateOffsetAt);
}

}  // namespace
