#pragma once

#include <string>

// The per-user folders handed to every video component. Neither text ends with a
// separator, and neither folder is created here.

// The user's profile folder (USERPROFILE) in the OEM code page, or "C:\Program Data"
// when the variable is missing or empty.
std::string userProfileDir();

// UTF-8: the profile folder, "\" and "LumoWebControlServiceConfig".
std::string configXmlDir();

// UTF-8: the profile folder, "\" and "LumoWebControlService".
std::string serviceDataDir();
