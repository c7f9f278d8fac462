// Resource identifiers shared by the resource script and the code.
#pragma once

#define kProgramIcon 1
#define kVersionResource 1
