#pragma once

// windows.h without the macros that would rename the engines' own names
// (CopyFile, MoveFile, DeleteFile, the profile functions): code here calls
// the wide functions by their W names.
#include <windows.h>
#undef CopyFile
#undef MoveFile
#undef DeleteFile
#undef GetPrivateProfileString
#undef WritePrivateProfileString
