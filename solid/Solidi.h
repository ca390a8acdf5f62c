// The solid geometry joins the interpreter: its statements, the space frame of RIFCART3D,
// the fill colour and the deletion of space values, and the makers of every space kind
// (program files make them through the registry of values/RegistroSpazio.h).
#pragma once

namespace qx {

// Once, before the first run (later calls do nothing).
void RegistraSolidi();

}  // namespace qx
