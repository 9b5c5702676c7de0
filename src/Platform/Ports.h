// Every operating-system service the system uses, handed to it as one bundle of
// borrowed references. The platform (simulated desktop or real backend) owns them and
// outlives everything that holds this bundle.
#pragma once

#include "Platform/Accessibility.h"
#include "Platform/AccessibilityTrust.h"
#include "Platform/Alerts.h"
#include "Platform/AppWindows.h"
#include "Platform/Application.h"
#include "Platform/ApplicationChooser.h"
#include "Platform/AutomationPermission.h"
#include "Platform/FileAccess.h"
#include "Platform/Keyboard.h"
#include "Platform/LoginItems.h"
#include "Platform/MainQueue.h"
#include "Platform/Mouse.h"
#include "Platform/Panels.h"
#include "Platform/Pasteboard.h"
#include "Platform/ProcessHooks.h"
#include "Platform/Screens.h"
#include "Platform/ScriptHost.h"
#include "Platform/SerialQueue.h"
#include "Platform/StatusItem.h"
#include "Platform/SystemInfo.h"
#include "Platform/SystemLog.h"
#include "Platform/UserDefaults.h"
#include "Platform/WindowServer.h"
#include "Platform/Workspace.h"

namespace varnelo {

struct Ports {
  MainQueue& mainQueue;
  SerialQueueFactory& serialQueues;
  SystemInfo& system;
  UserDefaults& defaults;
  GlobalDefaults& globalDefaults;
  SystemLog& systemLog;
  AccessibilityTrust& accessibilityTrust;
  AutomationPermission& automation;
  Application& application;
  Workspace& workspace;
  ProcessHooks& process;
  ScriptHost& scriptHost;
  Accessibility& accessibility;
  WindowServer& windowServer;
  Mouse& mouse;
  Keyboard& keyboard;
  Screens& screens;
  Pasteboard& pasteboard;
  Panels& panels;
  StatusBar& statusBar;
  Alerts& alerts;
  LoginItems& loginItems;
  ApplicationChooser& applicationChooser;
  AppWindows& windows;
  FileAccess& files;
};

}  // namespace varnelo
