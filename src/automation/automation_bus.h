#pragma once

// Where the running application answers on the session bus. The client commands use the same names.

namespace zendra::automation_bus {

inline constexpr char serviceName[] = "org.zendra.Zendra";
inline constexpr char objectPath[] = "/org/zendra/Zendra";
inline constexpr char interfaceName[] = "org.zendra.Zendra";
// The property that carries the text; PropertiesChanged announces each change.
inline constexpr char textProperty[] = "Text";
// Every error the interface sends starts with this.
inline constexpr char errorPrefix[] = "org.zendra.Zendra.Error.";
// The error a call gets when the application has nothing that handles it.
inline constexpr char unavailableError[] = "org.zendra.Zendra.Error.Unavailable";
// The error a call gets when its work failed; the message says why.
inline constexpr char failedError[] = "org.zendra.Zendra.Error.Failed";

} // namespace zendra::automation_bus
