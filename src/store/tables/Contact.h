#pragma once

#include "store/TableDef.h"
#include "store/TableMacros.h"

// The address book: one record per person or company.
#define C__FIELDS(F)                                                                               \
    F(User, String, 40)                                                                            \
    F(ClientID, Long, 0)                                                                           \
    F(LastName, String, 30)                                                                        \
    F(FirstName, String, 20)                                                                       \
    F(AddressLine1, String, 30)                                                                    \
    F(AddressLine2, String, 30)                                                                    \
    F(AddressLine3, String, 30)                                                                    \
    F(PostalCode, String, 10)                                                                      \
    F(WorkDayPhone, String, 20)                                                                    \
    F(HomeEveningPhone, String, 20)                                                                \
    F(Fax, String, 20)                                                                             \
    F(OtherPhone, String, 20)                                                                      \
    F(Email, String, 40)                                                                           \
    F(WebSite, String, 60)                                                                         \
    F(ContactCategory, String, 20)                                                                 \
    F(Notes, Memo, 1024)

#define C__KEYS(K)                                                                                 \
    K(KeyClientID, Primary | Unique | NoCase | BlanksOut, nullptr, ClientID)                       \
    K(KEYUSERCLIENTID, NoCase | BlanksOut, nullptr, User, ClientID)                                \
    K(KEYLASTNAME, NoCase | BlanksOut, nullptr, LastName, FirstName, PostalCode)                   \
    K(KEYFIRSTNAME, NoCase | BlanksOut, nullptr, FirstName, LastName, PostalCode)                  \
    K(KEYWORKPHONE, NoCase | BlanksOut, nullptr, WorkDayPhone)                                     \
    K(KEYHOMEPHONE, NoCase | BlanksOut, nullptr, HomeEveningPhone)                                 \
    K(KEYFAXNUMBER, NoCase | BlanksOut, nullptr, Fax)                                              \
    K(KEYEMAIL, NoCase | BlanksOut, nullptr, Email)                                                \
    K(KEYCATEGORY, NoCase | BlanksOut, nullptr, ContactCategory, LastName, FirstName)

STORE_DEFINE_TABLE(C_, Contact, "Contact", "Contact", "Tl97.TPS", 2, KeyClientID, true)

#undef C__FIELDS
#undef C__KEYS
