// Host preferences the module reads.
#pragma once

// Whether popups may show (the host application's "visible" setting; true without a host).
bool GetTarnHostBoolPreference();
