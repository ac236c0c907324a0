// The settings properties: members bound to one named value of the running
// program's profile section "Settings", read at construction and written at
// every assignment.
#pragma once

#include "StringProperty.h"
#include "IntProperty.h"
#include "StringListProperty.h"
