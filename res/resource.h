#pragma once
// Resource ids shared by the resource script and the program.
#define IDS_DESCRIPTION 1
#define IDI_VELLUMWAY 100
