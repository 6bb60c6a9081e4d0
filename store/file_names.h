// The names of every file and folder the store keeps in the working folder,
// each defined here once.
#pragma once

// The quotes, the count and launch counter, and the copy of the quotes as of
// the last correction.
inline constexpr char kQuoteFile[] = "datos.dat";
inline constexpr char kSettingsFile[] = "config.cfg";
inline constexpr char kTransferFile[] = "trasvase.dat";

// What a correction or a settings write builds beside each file before a
// rename puts it in place.
inline constexpr char kNewQuoteFile[] = "datos.dat.tmp";
inline constexpr char kNewTransferFile[] = "trasvase.dat.tmp";
inline constexpr char kNewSettingsFile[] = "config.cfg.tmp";

// The business's own data, and what rewriting it builds beside it.
inline constexpr char kCompanyFile[] = "empresa.ini";
inline constexpr char kNewCompanyFile[] = "empresa.ini.tmp";
// Where an empresa.ini that holds no text is kept when a new one is
// written ("empresa.ini.anterior", then with 2 to 9 after it).
inline constexpr char kOldCompanyFile[] = "empresa.ini.anterior";

// The folder a backup is built in before it takes its dated name.
inline constexpr char kBackupWorkFolder[] = "copia.tmp";

// The file a running copy holds open so that no other copy uses the folder.
inline constexpr char kLockFile[] = "presupuestos.lck";

// The main window's picture, read from the working folder.
inline constexpr char kPictureFile[] = "fondo.bmp";
