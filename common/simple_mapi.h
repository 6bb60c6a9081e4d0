// The system's Simple MAPI in its wide form, declared here: MinGW's mapi.h
// has only the 8-bit structures. Laid out as Windows defines them (ULONG is
// 32 bits there); the native stand-in answers through the same layout.
// MAPISendMailW(session, parent window, message, flags, reserved) takes
// them.
#pragma once
#include <cstdint>

struct MapiRecipDescW {
  uint32_t ulReserved;
  uint32_t ulRecipClass;
  wchar_t* lpszName;
  wchar_t* lpszAddress;
  uint32_t ulEIDSize;
  void* lpEntryID;
};

struct MapiFileDescW {
  uint32_t ulReserved;
  uint32_t flFlags;
  uint32_t nPosition;  // 0xFFFFFFFF: not placed in the text
  wchar_t* lpszPathName;
  wchar_t* lpszFileName;
  void* lpFileType;
};

struct MapiMessageW {
  uint32_t ulReserved;
  wchar_t* lpszSubject;
  wchar_t* lpszNoteText;
  wchar_t* lpszMessageType;
  wchar_t* lpszDateReceived;
  wchar_t* lpszConversationID;
  uint32_t flFlags;
  MapiRecipDescW* lpOriginator;
  uint32_t nRecipCount;
  MapiRecipDescW* lpRecips;
  uint32_t nFileCount;
  MapiFileDescW* lpFiles;
};

constexpr uint32_t kMapiLogonUi = 0x00000001;
constexpr uint32_t kMapiDialog = 0x00000008;
constexpr uint32_t kMapiSuccess = 0;
constexpr uint32_t kMapiUserAbort = 1;
