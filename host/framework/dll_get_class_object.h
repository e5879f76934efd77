// The entry of libTarn.so: it gives out the framework's class object, CLSID_TarnFrameWork.
// The host application calls it directly; a module that finds no registered framework object
// loads the library and looks the entry up by name.
#pragma once

#include "host/framework/tarn_api.h"
#include "platform/win32/unknown.h"

extern "C" TARN_API HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, void** out);
