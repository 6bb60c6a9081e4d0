// empresa.ini in the working folder: the business's own data, in section
// [Empresa] of a Windows INI file read and written with the system's
// profile functions, and which a user may also edit with Notepad.
#pragma once
#include <string>

#include "common/company_data.h"
#include "store/disk.h"

// The data empresa.ini holds. A missing file or key keeps that line's
// placeholder (and no IVA, LPT1). The file may have been saved as ANSI
// (Windows-1252), as UTF-8 with or without a byte order mark, or as
// UTF-16; one in an 8-bit form is first rewritten, its lines kept, as
// UTF-16, the form in which the profile functions read every letter the
// same under any system code page. Characters Windows-1252 lacks come back
// as "?". Where the file cannot be rewritten (a read-only folder) it is
// read as decoded, by the profile functions' own rules.
CompanyData ReadCompanyData();

// The same (an 8-bit file rewritten as UTF-16 first, as above), telling
// apart a file that is there but cannot be read (held by another program,
// no permission): its data stay the placeholders, and `failure` says why
// where the system did. The logo named in it is read too; `logoUnreadable`
// where it is missing or no picture (the data then have no logo's pixels).
struct CompanyRead {
  CompanyData data;
  bool unreadable = false;
  // The file holds no text (bytes no editor writes, no line of [Empresa]):
  // left as it is, its data the placeholders.
  bool damaged = false;
  DiskFailure failure;
  bool logoUnreadable = false;
};
CompanyRead ConvertAndReadCompanyFile();

// Writes every key, making the file (as UTF-16) where there is none: into a
// copy beside it, synced and renamed over it once whole. A value with spaces
// or quotes around it is written within quotes, so that it reads back as it
// was. A damaged file (see CompanyRead) is first set aside under the first
// free name of empresa.ini.anterior, empresa.ini.anterior2, ..., told in
// `setAside`, and a new one made. False when some key could not be written
// or a damaged file could not be set aside, or another copy held the store's
// lock for the whole wait: the file as it was, but for a damaged one set
// aside already (`setAside` then says where).
bool WriteCompanyData(const CompanyData& company, std::string* setAside = nullptr);
