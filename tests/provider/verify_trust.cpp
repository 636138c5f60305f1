// verify_trust FILE ROOT.der: what Windows' WinVerifyTrust answers for FILE's signature, first
// with the prefix's trusted roots as they are, then with ROOT among them (taken out again at
// the end): "untrusted=0x... trusted=0x...", hexadecimal. 0 is a signature Windows accepts.
#include <windows.h>

#include <softpub.h>
#include <wintrust.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

LONG Verify(const wchar_t* file) {
  WINTRUST_FILE_INFO info{sizeof info, file, nullptr, nullptr};
  WINTRUST_DATA data{};
  data.cbStruct = sizeof data;
  data.dwUIChoice = WTD_UI_NONE;
  data.dwUnionChoice = WTD_CHOICE_FILE;
  data.pFile = &info;
  data.dwStateAction = WTD_STATEACTION_VERIFY;
  GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
  const LONG result = ::WinVerifyTrust(nullptr, &action, &data);
  data.dwStateAction = WTD_STATEACTION_CLOSE;
  ::WinVerifyTrust(nullptr, &action, &data);
  return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  std::ifstream file(argv[2], std::ios::binary);
  const std::vector<BYTE> root{std::istreambuf_iterator<char>(file), {}};
  const LONG untrusted = Verify(argv[1]);
  HCERTSTORE store = ::CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0,
                                     CERT_SYSTEM_STORE_LOCAL_MACHINE, L"Root");
  PCCERT_CONTEXT added = nullptr;
  if (!::CertAddEncodedCertificateToStore(store, X509_ASN_ENCODING, root.data(), root.size(),
                                          CERT_STORE_ADD_REPLACE_EXISTING, &added))
    return 3;
  std::printf("untrusted=0x%08lx trusted=0x%08lx\n", untrusted, Verify(argv[1]));
  ::CertDeleteCertificateFromStore(added);
  return 0;
}
