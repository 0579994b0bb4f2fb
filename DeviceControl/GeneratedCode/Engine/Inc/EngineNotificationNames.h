#pragma once

#include "HVFramework/Notification/NotificationName.h"

namespace HV {

// The notifications of the root module engine, all on the application
// centre; LRootModuleEngine names their payloads.

// Received: a value to apply.
inline constexpr NotificationName kNidParamModuleChangeReq{u"NID_PARAM_MODULE_CHANGE_REQ"};
// Posted: values, the connection state, the number of reachable devices.
inline constexpr NotificationName kNidParamModuleStateChange{u"NID_PARAM_MODULE_STATE_CHANGE"};
inline constexpr NotificationName kNidDeviceConnectionStateChange{u"NID_DEVICE_CONNECTION_STATE_CHANGE"};
inline constexpr NotificationName kNidRemoteDeviceListChange{u"NID_REMOTE_DEVICE_LIST_CHANGE"};

}  // namespace HV
