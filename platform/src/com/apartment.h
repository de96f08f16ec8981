// The calling thread's COM initialisation, as the activation functions check it.
#pragma once

namespace platform::com {

// True when the thread called CoInitializeEx, or when some thread of the process entered the
// multithreaded apartment, which every uninitialised thread then belongs to implicitly.
bool thread_can_use_com() noexcept;

// Revokes what the thread registered with CoRegisterClassObject (its apartment ends).
void revoke_thread_class_objects();

}  // namespace platform::com
