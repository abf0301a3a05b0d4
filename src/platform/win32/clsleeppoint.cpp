#include "platform/clsleeppoint.h"

#include "platform/win32/clwindows.h"

static_assert(sizeof(SRWLOCK) == sizeof(void*) && sizeof(CONDITION_VARIABLE) == sizeof(void*),
              "the slim lock and the condition variable are each one pointer, zero at rest");

namespace {

PSRWLOCK AsLock(void*& value) { return reinterpret_cast<PSRWLOCK>(&value); }
PCONDITION_VARIABLE AsCondition(void*& value) {
  return reinterpret_cast<PCONDITION_VARIABLE>(&value);
}

}  // namespace

void clSleepPoint::Lock() { ::AcquireSRWLockExclusive(AsLock(lock)); }

void clSleepPoint::Unlock() { ::ReleaseSRWLockExclusive(AsLock(lock)); }

bool clSleepPoint::SleepOnce(Clock::time_point deadline) {
  DWORD wait = INFINITE;
  if (deadline != Clock::time_point::max()) {
    const auto now = Clock::now();
    if (now >= deadline) return false;
    // Rounded up: a sleep that ends early only comes round again.
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count();
    wait = left >= static_cast<long long>(INFINITE) ? INFINITE - 1 : static_cast<DWORD>(left);
  }
  if (::SleepConditionVariableSRW(AsCondition(condition), AsLock(lock), wait, 0)) return true;
  return deadline == Clock::time_point::max() || Clock::now() < deadline;
}

void clSleepPoint::WakeAll() { ::WakeAllConditionVariable(AsCondition(condition)); }
