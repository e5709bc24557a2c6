#pragma once

namespace vrn {

// Where no session gave the program a runtime folder (XDG_RUNTIME_DIR: a login as root, a
// service, a CI job), names the one Qt would fall back to, made private to the user, so that Qt
// takes it without a warning on standard error. To be called before the application object is
// made; does nothing elsewhere than on Linux and other Unix systems.
void provideRuntimeFolder();

} // namespace vrn
