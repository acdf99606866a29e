#pragma once

// The automation vocabulary (values, objects, errors, the runtime's number
// rules) is the language every room of the component speaks: its names are
// reachable as zelva::Variant, zelva::Ref and so on from every room.
namespace zelva::automation {}
namespace zelva {
using namespace automation;
}  // namespace zelva
