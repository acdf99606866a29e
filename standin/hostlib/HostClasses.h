#pragma once
// Creation functions of the stand-in host library classes, one per source file.

#include <windows.h>

namespace zelva::hostlib {

HRESULT createHostVector(REFIID iid, void** out);
HRESULT createHostPlacement(REFIID iid, void** out);
HRESULT createHostTransform(REFIID iid, void** out);
HRESULT createHostClassRegistry(REFIID iid, void** out);
HRESULT createUnitConverter(REFIID iid, void** out);
HRESULT createHostRegistry(REFIID iid, void** out);
HRESULT createHostSettingsStore(REFIID iid, void** out);

}  // namespace zelva::hostlib
