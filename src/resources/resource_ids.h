#pragma once

// The program's resources, shared by the resource script and the code.
// The program's icon has the lowest number, so that Explorer shows it for the file.
#define IDI_PRESSEL2 1
#define IDD_ABOUT 102
#define IDB_TOOLBAR 118
#define IDS_OPEN 120
#define IDS_VIEW_DVI 121
#define IDS_VIEW_PDF 122
#define IDS_VIEW_PS 123
#define IDS_TEX_TO_DVI 124
#define IDS_DVI_TO_PS 125
#define IDS_DVI_TO_PDF 126
#define IDS_PS_TO_PDF 127
