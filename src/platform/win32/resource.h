#pragma once
// Resource numbers shared by the program's resource script and the Win32 adapter.
#define IDI_VANTOLY 1
#define IDD_INPUTBOX 100
#define IDC_PROMPT 101
#define IDC_ANSWER 102
