#pragma once

#include "HVFramework/ObjectBase/Assert.h"

// The user-interface thread owns every window and control: other threads post
// notifications to it and never change controls themselves.
// HV_ASSERT_UI_THREAD() stands at the entry points that change user-interface
// state (the control tree, focus, layout, invalidation, input dispatch,
// painting, looks) and aborts, like HV_ASSERT and only where it is active,
// when it runs on any other thread.
//
// Which thread that is: the application's start-up and its message loop
// record the thread they run on (RecordUIThread). Until one of them has, the
// first thread that changes user-interface state claims the role, so code
// that builds controls without an application (tests, tools) needs no set-up.
// ResetUIThread forgets the thread, for tests that start over.
#define HV_ASSERT_UI_THREAD() \
  HV_ASSERT(::HV::IsUIThread() && "user-interface state changed off the user-interface thread")

namespace HV {

// Makes the calling thread the user-interface thread.
void RecordUIThread();
// Whether the calling thread is the user-interface thread; when none is
// recorded yet, the calling thread becomes it (true).
bool IsUIThread();
// No thread is the user-interface thread until the next claim or record.
void ResetUIThread();

}  // namespace HV
