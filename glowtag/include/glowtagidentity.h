#pragma once

// How hosts identify the control class and its library. Kept stable: saved window designs and
// registrations refer to these values.
namespace GlowtagIdentity {

inline constexpr const char *ClassName = "Glowtag";
inline constexpr const char *ProgrammaticId = "Pro_Glowtag.Glowtag";
inline constexpr const char *LibraryName = "Pro_Glowtag";
inline constexpr int LibraryVersionMajor = 1;
inline constexpr int LibraryVersionMinor = 0;
inline constexpr const char *LibraryVersion = "1.0";
inline constexpr unsigned Locale = 0x0409;
inline constexpr const char *LibraryId = "{04C9D6CB-924D-45CC-A358-F3CD29F3588E}";
inline constexpr const char *ClassId = "{A392C612-5937-44AC-BB01-330184681FC7}";
inline constexpr const char *DefaultInterfaceName = "_Glowtag";
inline constexpr const char *DefaultInterfaceId = "{70575462-5B7B-4901-8A5B-C1F2A6ECAE0C}";
inline constexpr const char *EventInterfaceName = "__Glowtag";
inline constexpr const char *EventInterfaceId = "{EF3C5EB1-A399-48B6-9C97-3AB41C9D3705}";
inline constexpr const char *StyleEnumName = "EnStyleEtichetta";
inline constexpr const char *StyleEnumId = "{6748EEFB-3E64-4865-838E-E3678B47837E}";

} // namespace GlowtagIdentity
