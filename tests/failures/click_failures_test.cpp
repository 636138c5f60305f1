// Every failure in turn. The button's whole command, natively over the fakes, on each of its
// paths: a first run counts the calls of the system (the seam, the phonebook service, the
// automation objects) and the allocations; then one run per call with that call failing, once
// in each way its contract allows; one run per operator new of the program with that one
// throwing; one per block of local memory with that one refused. Every run is held to the same
// rules, and then the command must run again and succeed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <new>
#include <set>
#include <sstream>
#include <tuple>

#include "app/create_connection_command.h"
#include "app/fatal_error.h"
#include "app/settings.h"
#include "desktop/wsh.h"
#include "phonebook/entry_layout.h"
#include "phonebook/vpn_entry.h"
#include "tests/fakes/fake_automation.h"
#include "tests/fakes/fake_phonebook_service.h"

namespace {

// The program's operator new: counted while armed, the chosen one throws. What the fakes do
// on the system's side is not the program's and is not counted.
struct {
  bool armed = false;
  std::size_t count = 0;
  std::size_t failing = 0;
} allocations;

}  // namespace

void* operator new(std::size_t size) {
  if (allocations.armed && !fakes::OnTheSystemsSide() &&
      ++allocations.count == allocations.failing)
    throw std::bad_alloc();
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

namespace {

using platform::IDNO_ANSWER;
using platform::IDYES_ANSWER;
using Bytes = std::vector<std::uint8_t>;

const std::wstring kCaption = L"Dialwright VPN 1.00";
const std::wstring kDesktop = L"C:\\Users\\Анна\\Desktop";
const std::wstring kOtherFile = kDesktop + L"\\заметки.txt";
const Bytes kUsersEntry = {'u', 's', 'e', 'r'};  // the entry as the user had it
// What the system's and the service's tables say, in code page 1251.
const std::string kSystemText = "\xCE\xF2\xEA\xE0\xE7\xE0\xED\xEE \xE2 \xE4\xEE\xF1\xF2\xF3\xEF\xE5.";
const std::string kServiceText = "\xCE\xF8\xE8\xE1\xEA\xE0 \xF1\xEB\xF3\xE6\xE1\xFB.";

struct Path {
  const char* name;
  bool entryThere;  // the entry and its shortcut are there before the click
  int answer;       // to the question
  int shortcutBox, firewallBox;
  std::vector<std::string> others;  // entries beside it: more than one buffer's worth
  std::uint32_t structureSize;
  const wchar_t* tunnel = L"pptp-first";
};

const std::wstring kKey = L"общий-ключ 2024";

const Path kPaths[] = {
    {"no entry, both boxes", false, 0, 1, 1, {}, 2884},
    {"entry there, Yes", true, IDYES_ANSWER, 1, 1, {}, 2884},
    {"entry there, No", true, IDNO_ANSWER, 1, 1, {}, 2884},
    {"shortcut box only", false, 0, 1, 0, {}, 2884},
    {"firewall box only", false, 0, 0, 1, {}, 2884},
    {"neither box", false, 0, 0, 0, {}, 2884},
    {"three entries, Yes, no shortcut", true, IDYES_ANSWER, 0, 1, {"Apex 1", "Apex 2"}, 2884},
    // Only the exact name is the entry.
    {"names that differ in case or a space", false, 0, 1, 1,
     {"vorlix internet", "VORLIX INTERNET", "Vorlix INTERNET "}, 2884},
    {"size 1672", false, 0, 1, 1, {}, 1672},
    {"size 1768", false, 0, 1, 1, {}, 1768},
    {"size 1796", false, 0, 1, 1, {}, 1796},
    {"size 2088", false, 0, 1, 1, {}, 2088},
    // The other tunnels: SSTP on Windows 7's structure, L2TP/IPsec with its key written after
    // the entry; each refused, with nothing written, on a structure that cannot hold it.
    {"sstp", false, 0, 1, 1, {}, 2948, L"sstp"},
    {"sstp on Windows XP's structure", false, 0, 1, 1, {}, 2884, L"sstp"},
    {"l2tp-psk", false, 0, 1, 1, {}, 2884, L"l2tp-psk"},
    {"l2tp-psk, entry there, Yes", true, IDYES_ANSWER, 1, 1, {}, 2884, L"l2tp-psk"},
    {"l2tp-psk on size 2088", false, 0, 1, 1, {}, 2088, L"l2tp-psk"},
};

class Window final : public app::CommandWindow {
 public:
  explicit Window(const Path& path) : path_(path) {}
  std::wstring Caption() const override { return kCaption; }
  int ShortcutValue() const override { return path_.shortcutBox; }
  int FirewallValue() const override { return path_.firewallBox; }
  // A click waiting in the queue while the command runs: it must be ignored, or the rules
  // would see a second run's boxes and calls.
  void ProcessPendingMessages() override { command->Click(*this); }
  app::CreateConnectionCommand* command = nullptr;

 private:
  const Path& path_;
};

struct Box {
  std::uint32_t style;
  std::wstring title, text;
  bool operator==(const Box&) const = default;
};

const Box kConfirmation{64, kCaption, app::kConnectionCreatedText};
const Box kTunnelRefused{16, L"Dialwright", VPN::kTunnelNotOnThisWindowsText};
Box Question() { return {36, kCaption, app::EntryExistsQuestion(basMain::EntryName)}; }
const Box kOutOfMemory{16, kCaption, app::kOutOfMemoryText};

// What a failure of the named call must bring the user, by what each step is told to show:
// nothing where a step goes on silently, its own box where it reports.
std::optional<Box> PrescribedBox(const std::wstring& call, std::size_t way) {
  const auto is = [&call](const wchar_t* prefix) { return call.starts_with(prefix); };
  // The first way is a code of the system's; the others are the service's, an answer without
  // a size included (its 632).
  if (is(L"RasSetEntryPropertiesA") || is(L"RasGetEntryPropertiesA") || is(L"RasSetCredentialsA"))
    return Box{0, L"Dialwright", fakes::Cp1251(way == 0 ? kSystemText : kServiceText)};
  if (is(L"RasDeleteEntryA")) return Box{16, kCaption, app::kEntryDeleteFailedText};
  const bool shellStep = is(L"create Shell") || is(L"shell.") || is(L"connections.") ||
                         is(L"items.") || is(L"item") || is(L"desktop.");
  // A folder or item that is not there is passed over; a collection that cannot be walked
  // is a failing step.
  if (shellStep && (way == 0 || is(L"connections.Items") || is(L"items.Count")))
    return Box{16, L"Dialwright", Wsh::ShortcutErrorText};
  return std::nullopt;
}

struct Injection {
  enum Kind { kNone, kCall, kNew, kLocal } kind = kNone;
  std::size_t n = 0, way = 0;
};

// One click from the path's state, and what came of it.
struct Click {
  std::vector<Box> boxes;
  std::vector<int> answers;
  std::vector<fakes::System::Call> calls;
  std::vector<std::wstring> journal;
  std::size_t newCount = 0;
  bool escaped = false, leaked = false;
};

class World {
 public:
  explicit World(const Path& path) : path_(path) {
    fakes::Reset();
    basMain::FillSettings();
    basMain::TunnelName = path.tunnel;
    basMain::PreSharedKey = kKey;
    tunnel_ = &VPN::ProviderTunnel();
    tooOld_ = path.structureSize <= tunnel_->needsSizeAbove;
    entry_ = platform::ToAnsi(basMain::EntryName);
    keyAnsi_ = platform::ToAnsi(kKey);
    shortcut_ = kDesktop + L"\\" + basMain::EntryName + L".lnk";
    const auto image = modRASVPN::LayOutEntry(VPN::ProviderProfile(basMain::ServerAddresses[1]),
                                              path.structureSize);
    profile_.assign(image.Bytes().begin(), image.Bytes().begin() + path.structureSize);
    fakes::TheSystem().systemMessage = kSystemText + '\0';
    phonebook_.errorStringText = kServiceText + '\0';
    phonebook_.reportedSize = path.structureSize;
    automation_.phonebook = &phonebook_;
    fakes::TheSystem().files = {kOtherFile};
    for (const std::string& name : path.others) phonebook_.stored[name] = {'o'};
    if (path.entryThere) {
      phonebook_.stored[entry_] = kUsersEntry;
      fakes::TheSystem().files.insert(shortcut_);
    }
    before_ = phonebook_.stored;
    window_.command = &command_;
  }

  Click Play(const Injection& injection, int answer) {
    auto& system = fakes::TheSystem();
    system.countingCalls = true;
    system.calls = {};
    system.journal = {};
    system.answered = {};
    system.answers = {answer};
    system.failure = {};
    if (injection.kind == Injection::kCall) system.failure = {injection.n, injection.way};
    system.failingAllocations = {injection.kind == Injection::kLocal ? injection.n : 0};
    system.allocations = 0;
    allocations = {true, 0, injection.kind == Injection::kNew ? injection.n : 0};
    Click click;
    try {
      command_.Click(window_);
    } catch (...) {
      click.escaped = true;
    }
    allocations.armed = false;
    click.newCount = allocations.count;
    click.leaked = !system.liveBlocks.empty() || system.badFrees != 0 || automation_.live != 0;
    std::tie(click.answers, click.calls, click.journal) = std::tie(system.answered, system.calls, system.journal);
    for (const std::wstring& line : system.journal) {
      if (!line.starts_with(L"box ")) continue;
      const auto space = line.find(L' ', 4), colon = line.find(L": ");
      click.boxes.push_back({static_cast<std::uint32_t>(std::stoul(line.substr(4, space - 4))),
                             line.substr(space + 1, colon - space - 1), line.substr(colon + 2)});
    }
    return click;
  }

  // Every rule a click must keep, the failure it met being what it was; each broken one named.
  std::vector<std::string> BrokenRules(const Click& click, const Injection& injection) const {
    std::vector<std::string> broken;
    const auto rule = [&broken](bool kept, const char* what) {
      if (!kept) broken.push_back(what);
    };
    std::vector<Box> boxes = click.boxes;
    const bool asked = !boxes.empty() && boxes.front() == Question();
    const bool yes = asked && click.answers.front() == IDYES_ANSWER;
    const bool no = asked && click.answers.front() == IDNO_ANSWER;
    if (asked) boxes.erase(boxes.begin());
    const bool confirmed = !boxes.empty() && boxes.back() == kConfirmation;
    if (confirmed) boxes.pop_back();

    // A tunnel the structure cannot hold is refused in a box of its own, and nothing written.
    const bool refused = std::erase(boxes, kTunnelRefused) != 0;
    rule(!refused || tooOld_, "a tunnel refused on a structure that holds it");
    rule(!tooOld_ || fakes::LinesStartingWith(click.journal, L"RasSetEntryPropertiesA").empty(),
         "an entry written on a structure that cannot hold its tunnel");

    std::optional<Box> prescribed;
    bool listed = true;  // the listing answered the phonebook as it is
    bool keyRefused = false;
    if (injection.kind == Injection::kCall && injection.n <= click.calls.size()) {
      const std::wstring& call = click.calls[injection.n - 1].name;
      prescribed = PrescribedBox(call, injection.way);
      listed = call != L"RasEnumEntriesA";
      keyRefused = call == L"RasSetCredentialsA";
    } else if (injection.kind == Injection::kNew && injection.n <= click.newCount) {
      prescribed = kOutOfMemory;
      listed = asked;  // it may have run out before the question
    } else if (injection.kind == Injection::kLocal) {
      listed = injection.n > fakes::LinesStartingWith(click.journal, L"LocalAlloc").size();
    }

    rule(!click.escaped, "an exception left the click");
    rule(!click.leaked, "local memory or an automation object was not given back");
    rule(asked == (path_.entryThere && listed), "the question is not where the entry is");
    rule(!confirmed || (Holds(profile_) && HoldsTheKey()),
         "confirmed, but the service does not hold the profile and its key");
    rule(confirmed || no || refused || !boxes.empty(), "neither confirmed nor told why not");
    rule(!keyRefused || phonebook_.stored.count(entry_) == 0, "an entry whose key was refused stays");
    rule(!no || (boxes.empty() && !confirmed && phonebook_.stored == before_),
         "the answer No changed something or showed more");

    rule(boxes == (prescribed ? std::vector<Box>{*prescribed} : std::vector<Box>{}),
         "the boxes are not the path's own and the failure's prescribed one");
    rule(!prescribed || *prescribed != kOutOfMemory || !confirmed,
         "confirmed what ran out of memory on its way");

    // Nothing of the user's lost beyond what the user agreed to.
    const bool deleted = std::count(click.journal.begin(), click.journal.end(),
                                    L"RasDeleteEntryA " + basMain::EntryName) != 0;
    rule(!deleted || yes || keyRefused, "an entry deleted without the answer Yes");
    rule(!path_.entryThere || yes || phonebook_.stored.count(entry_) != 0,
         "the user's entry is gone without the answer Yes");
    const bool entryGone = !path_.entryThere || !Holds(kUsersEntry);
    rule(!path_.entryThere || HasFile(shortcut_) || (yes && entryGone),
         "the shortcut went without the entry going after a Yes");
    rule(HasFile(kOtherFile), "a file of the user's on the desktop is gone");
    // A deletion aimed anywhere but at the shortcut touches a file, whether or not one is there.
    for (const std::wstring& line : fakes::LinesStartingWith(click.journal, L"DeleteFileA "))
      rule(line == L"DeleteFileA " + shortcut_, "a file other than the shortcut was deleted");
    for (const auto& [name, bytes] : before_)
      rule(name == entry_ || (phonebook_.stored.count(name) != 0 && phonebook_.stored.at(name) == bytes),
           "another entry changed");
    const auto netsh = fakes::LinesStartingWith(click.journal, L"netsh.exe").size();
    rule(netsh == 0 || netsh == 2, "the firewall was switched off and not on again");
    return broken;
  }

  // After any click, one without failures, answered Yes, must do the whole job: ask where the
  // entry is, write it, make the shortcut and reset the firewall as the boxes say, confirm.
  std::vector<std::string> BrokenOnTheNextClick() {
    const bool there = phonebook_.stored.count(entry_) != 0;
    const Click click = Play({}, IDYES_ANSWER);
    std::vector<Box> boxes = {tooOld_ ? kTunnelRefused : kConfirmation};
    if (there) boxes.insert(boxes.begin(), Question());
    const auto netsh = fakes::LinesStartingWith(click.journal, L"netsh.exe").size();
    const bool written = tooOld_ ? phonebook_.stored.count(entry_) == 0
                                 : Holds(profile_) && HoldsTheKey() &&
                                       HasFile(shortcut_) == (path_.shortcutBox == 1);
    if (click.escaped || click.leaked || click.boxes != boxes || !written ||
        netsh != (path_.firewallBox == 1 ? 2u : 0u))
      return {"the next click did not create the connection"};
    return {};
  }

 private:
  bool Holds(const Bytes& bytes) const {
    const auto it = phonebook_.stored.find(entry_);
    return it != phonebook_.stored.end() && it->second == bytes;
  }
  static bool HasFile(const std::wstring& path) { return fakes::TheSystem().files.count(path) != 0; }
  // The tunnel's pre-shared key, where it has one, set for the entry as the program has it.
  bool HoldsTheKey() const {
    const auto key = phonebook_.keys.find(entry_);
    return !tunnel_->preSharedKey || (key != phonebook_.keys.end() && key->second == keyAnsi_);
  }

  const Path& path_;
  const VPN::TunnelProfile* tunnel_ = nullptr;
  bool tooOld_ = false;  // the reported structure cannot hold the tunnel
  std::string entry_, keyAnsi_;
  std::wstring shortcut_;
  Bytes profile_;
  std::map<std::string, Bytes> before_;
  fakes::FakePhonebookService phonebook_;
  fakes::FakeAutomation automation_;
  Window window_{path_};
  app::CreateConnectionCommand command_{phonebook_, automation_};
};

struct Tally {
  std::size_t calls = 0, callRuns = 0, newRuns = 0, localRuns = 0, correct = 0;
};

std::string Describe(const Injection& injection, const Click& counting) {
  if (injection.kind != Injection::kCall)
    return (injection.kind == Injection::kNew ? "operator new " : "local block ") +
           std::to_string(injection.n) + " failing";
  const auto& call = counting.calls[injection.n - 1];
  return "call " + std::to_string(injection.n) + " (" + testing::PrintToString(call.name) +
         ") answering " + testing::PrintToString(std::wstring(call.ways[injection.way]));
}

// One run with the injection from the path's state, its rules, and the click after it.
bool Correct(const Path& path, const Injection& injection, const Click& counting) {
  World world(path);
  const Click click = world.Play(injection, path.answer);
  std::vector<std::string> broken = world.BrokenRules(click, injection);
  for (std::string& rule : world.BrokenOnTheNextClick()) broken.push_back(std::move(rule));
  for (const std::string& rule : broken)
    ADD_FAILURE() << path.name << ": " << Describe(injection, counting) << ": " << rule;
  return broken.empty();
}

Tally FailEveryStep(const Path& path) {
  World world(path);
  const Click counting = world.Play({}, path.answer);
  EXPECT_TRUE(world.BrokenRules(counting, {}).empty()) << path.name << " fails without a failure";
  Tally tally;
  tally.calls = counting.calls.size();
  for (std::size_t n = 1; n <= counting.calls.size(); ++n) {
    for (std::size_t way = 0; way < counting.calls[n - 1].ways.size(); ++way) {
      ++tally.callRuns;
      tally.correct += Correct(path, {Injection::kCall, n, way}, counting);
    }
  }
  // Every N until a click completes without reaching the N-th.
  for (std::size_t n = 1; n <= counting.newCount + 1; ++n, ++tally.newRuns)
    tally.correct += Correct(path, {Injection::kNew, n}, counting);
  const auto blocks = fakes::LinesStartingWith(counting.journal, L"LocalAlloc").size();
  for (std::size_t n = 1; n <= blocks + 1; ++n, ++tally.localRuns)
    tally.correct += Correct(path, {Injection::kLocal, n}, counting);
  return tally;
}

TEST(ClickFailures, EveryCallAndEveryAllocationFailsInTurn) {
  std::ostringstream figure;
  figure << "Every failure in turn (calls of the system; runs with a call failing + with an "
            "operator new failing + with a local block refused; correct):\n";
  const auto line = [&figure](const std::string& name, const Tally& tally) {
    const std::size_t runs = tally.callRuns + tally.newRuns + tally.localRuns;
    figure << "  " << name << ": " << tally.calls << " calls; " << tally.callRuns << " + "
           << tally.newRuns << " + " << tally.localRuns << " = " << runs << " runs, "
           << tally.correct << " correct\n";
    return runs;
  };
  Tally all;
  for (const Path& path : kPaths) {
    const Tally tally = FailEveryStep(path);
    line(path.name, tally);
    all = {all.calls + tally.calls, all.callRuns + tally.callRuns, all.newRuns + tally.newRuns,
           all.localRuns + tally.localRuns, all.correct + tally.correct};
  }
  const std::size_t runs = line("in all", all);
  std::cout << figure.str();
  if (const char* file = std::getenv("DIALWRIGHT_FAILURES_FIGURE")) std::ofstream(file) << figure.str();
  EXPECT_EQ(all.correct, runs);
}

}  // namespace
