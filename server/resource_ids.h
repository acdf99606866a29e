/* Identifiers of the component's resources, shared by Zelvacorin.rc and the C++ code. */
#ifndef ZELVACORIN_RESOURCE_IDS_H
#define ZELVACORIN_RESOURCE_IDS_H

#define IDI_CHAMFER     101 /* picture of the dialog's chamfer check box */
#define IDI_NOTICE      102 /* information icon of the edge selection notice */
#define IDR_REGISTRATION 201 /* the registry entries of registration (registration.tsv) */

/* Message texts are string-table entries at a language base plus an offset. */
#define IDS_BASE_ITALIAN 1000
#define IDS_BASE_ENGLISH 2000
#define IDS_BASE_GERMAN  3000

#endif
