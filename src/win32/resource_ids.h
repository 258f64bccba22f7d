// Identifiers of the program's resources, shared by the resource script and the code.
#pragma once

#define IDI_APPLICATION_ICON 1
#define IDC_HAND_LINK 101
#define IDR_ABOUT_PICTURE 201
