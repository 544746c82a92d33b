#pragma once

// Where the running application answers on the session bus. The client commands use the same names.

namespace zendra::automation_bus {

inline constexpr char serviceName[] = "org.zendra.Zendra";
inline constexpr char objectPath[] = "/org/zendra/Zendra";
inline constexpr char interfaceName[] = "org.zendra.Zendra";
// The error a call gets when the application has nothing that handles it.
inline constexpr char unavailableError[] = "org.zendra.Zendra.Error.Unavailable";

} // namespace zendra::automation_bus
