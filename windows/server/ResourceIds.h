/* Identifiers of the component's resources, shared by Zelvacorin.rc and the C++ code. */
#ifndef ZELVACORIN_RESOURCE_IDS_H
#define ZELVACORIN_RESOURCE_IDS_H

#define IDI_CHAMFER     101 /* picture of the dialog's chamfer check box */
#define IDI_NOTICE      102 /* information icon of the edge selection notice */
#define IDR_REGISTRATION 201 /* the registry entries of registration (registration.tsv) */

#endif
