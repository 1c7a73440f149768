#include <cstdint>
#include <new>

#include "platform/keyboard.h"
#include "platform/sleep.h"
#include "plugin/calls.h"
#include "plugin/memory.h"
#include "plugin/routines.h"

namespace zorvel {
namespace {

constexpr std::int32_t kDefaultRefresh = 500;

// One job of the group "job". The cells are the data blocks of the job's number members,
// referenced, so that a change the host makes in them counts from the next use on.
struct JobRecord {
  abi::MemberRecord* jobItem;
  const std::int32_t* refreshCell;
  abi::MemberRecord* actionItem;
  const std::int32_t* disabledCell;
  std::int32_t countdown;
  JobRecord* next;
};

// Enter is down now and went down since the previous query, and no other bit is set.
bool enterPressedFresh() {
  const auto state = static_cast<platform::WORD>(platform::GetAsyncKeyState(platform::kVkReturn));
  return state == (platform::kKeyDown | platform::kKeyPressedSince);
}

// Ctrl is down now, or went down since the previous query.
bool keyActive() {
  return platform::GetAsyncKeyState(platform::kVkControl) != 0;
}

const std::int32_t* valueBlock(const abi::MemberRecord* member) {
  if (!member->valueCell || !*member->valueCell) return nullptr;
  return static_cast<const std::int32_t*>((*member->valueCell)->data);
}

abi::word asHandle(const abi::MemberRecord* member) {
  return static_cast<abi::word>(reinterpret_cast<std::uintptr_t>(member));
}

void readJobMembers(JobRecord& job) {
  for (abi::MemberRecord* member = host::firstMember(asHandle(job.jobItem)); member;
       member = host::nextMember(member)) {
    if (sameText(member->name, "refresh")) {
      job.refreshCell = valueBlock(member);
      if (job.refreshCell) job.countdown = *job.refreshCell;
    } else if (sameText(member->name, "disabled")) {
      job.disabledCell = valueBlock(member);
    } else if (sameText(member->name, "action")) {
      job.actionItem = member;
    }
  }
}

void freeJobs(JobRecord* jobs) {
  while (jobs) {
    JobRecord* next = jobs->next;
    moduleFree(jobs);
    jobs = next;
  }
}

// The jobs of the group "job", in the group's order. False when memory for a record can't be
// had; the records made so far are freed then.
bool collectJobs(JobRecord*& jobs) {
  jobs = nullptr;
  JobRecord** tail = &jobs;
  const abi::word group = host::findNamespace("job");
  for (abi::MemberRecord* item = group ? host::firstMember(group) : nullptr; item;
       item = host::nextMember(item)) {
    void* memory = moduleAlloc(sizeof(JobRecord));
    if (!memory) {
      freeJobs(jobs);
      jobs = nullptr;
      return false;
    }
    auto* job = new (memory) JobRecord{item, nullptr, nullptr, nullptr, kDefaultRefresh, nullptr};
    readJobMembers(*job);
    *tail = job;
    tail = &job->next;
  }
  return true;
}

bool isEnabled(const JobRecord& job) {
  return !job.disabledCell || *job.disabledCell == 0;
}

void runJob(JobRecord& job) {
  TextVar line("running \"");
  line.append(job.jobItem->name).append("\" ...");
  host::printLine(line.c_str());
  if (job.actionItem) host::callMember(job.actionItem);
  host::printLine("finished.");
  job.countdown = job.refreshCell ? *job.refreshCell : kDefaultRefresh;
}

void runPass(JobRecord* jobs) {
  // No jobs: one pause per pass all the same, so that waiting for the keys does not spin a core.
  if (!jobs) platform::Sleep(1);
  for (JobRecord* job = jobs; job; job = job->next) {
    if (isEnabled(*job)) {
      if (job->countdown != 0) {
        // A count that starts negative wraps from the most negative to the most positive value.
        job->countdown = static_cast<std::int32_t>(static_cast<std::uint32_t>(job->countdown) - 1u);
      } else {
        runJob(*job);
      }
    }
    platform::Sleep(1);
  }
}

bool stopKeysPressed() {
  return enterPressedFresh() && keyActive();
}

}  // namespace

// standby: runs the jobs of the group "job" on their counts, pass after pass, until Enter is
// pressed while Ctrl is held.
ZV_ROUTINE(standby) {
  JobRecord* jobs = nullptr;
  if (!collectJobs(jobs)) return kNoResult;

  // Clear the keys' pressed-since state, so that a press made before now does not count.
  enterPressedFresh();
  keyActive();

  do {
    runPass(jobs);
  } while (!stopKeysPressed());

  freeJobs(jobs);
  return kNoResult;
}

}  // namespace zorvel
