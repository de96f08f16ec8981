// The module's eleven registration scripts (its REGISTRY resources), in object-map order.
#include "zozed/module/registration_scripts.h"

namespace zozed {
namespace {
// IDR_STGSHAREDSAVEAS
constexpr char16_t kSTGSharedSaveAs[] = uR"(
HKCR
{
	STGZozedAradizuzOdaru.STGSharedSaveAs.1 = s 'STGSharedSaveAs Class'
	{
		CLSID = s '{F382D781-2B33-44a1-A674-5A40BAEEBE56}'
	}
	STGZozedAradizuzOdaru.STGSharedSaveAs = s 'STGSharedSaveAs Class'
	{
		CLSID = s '{F382D781-2B33-44a1-A674-5A40BAEEBE56}'
		CurVer = s 'STGZozedAradizuzOdaru.STGSharedSaveAs.1'
	}
	NoRemove CLSID
	{
		ForceRemove {F382D781-2B33-44a1-A674-5A40BAEEBE56} = s 'STGSharedSaveAs Class'
		{
			ProgID = s 'STGZozedAradizuzOdaru.STGSharedSaveAs.1'
			VersionIndependentProgID = s 'STGZozedAradizuzOdaru.STGSharedSaveAs'
			ForceRemove 'Programmable'
			InprocServer32 = s '%MODULE%'
			{
				val ThreadingModel = s 'Apartment'
			}
			ForceRemove 'Control'
			ForceRemove 'Insertable'
			'ToolboxBitmap32' = s '%MODULE%, 101'
			'MiscStatus' = s '0'
			{
				'1' = s '131473'
			}
			'TypeLib' = s '{D0684325-E912-4953-B09C-F965A5689DF0}'
			'Version' = s '1.0'
		}
	}
}
HKLM
{
	NoRemove SOFTWARE
	{
		NoRemove Quarn
		{
			NoRemove Tessagram7
			{
				NoRemove Generic
				{
					NoRemove Std
					{
						NoRemove Client
						{
							NoRemove TSGSave
							{
								ForceRemove {F382D781-2B33-44a1-A674-5A40BAEEBE56} = s 'STGSharedSaveAs Class'
								{
									val Name = d '61516'
									val Type = s 'Share Save One Item'
									val 'Activity Pane' = s '{F382D781-2B33-44a1-A674-5A40BAEEBE56}'
									val IsActivityPaneStack = s 'True'
									val Priority = d '2000'
									val Toolbar = s '{3771A974-AC8A-4508-A2EB-D209DC803E22}'
								}
								ForceRemove {5006CC56-A905-4b84-9243-D9EA83D46CE9} = s 'TSGSharedSave Command'
								{
									val Name = d '61514'
									val Type = s 'Share Save One Item'
									val Priority = d '1000'
								}
							}
						}
					}
				}
			}
		}
	}
}
)";
// IDR_STGSHAREMANAGER
constexpr char16_t kSTGShareManager[] = uR"(
HKCR
{
	STGZozedAradizuzOdaru.STGShareManager.1 = s 'STGShareManager Class'
	{
		CLSID = s '{30355CD8-0A54-4ce7-838E-BF048256AF96}'
	}
	STGZozedAradizuzOdaru.STGShareManager = s 'STGShareManager Class'
	{
		CLSID = s '{30355CD8-0A54-4ce7-838E-BF048256AF96}'
		CurVer = s 'STGZozedAradizuzOdaru.STGShareManager.1'
	}
	NoRemove CLSID
	{
		ForceRemove {30355CD8-0A54-4ce7-838E-BF048256AF96} = s 'STGShareManager Class'
		{
			ProgID = s 'STGZozedAradizuzOdaru.STGShareManager.1'
			VersionIndependentProgID = s 'STGZozedAradizuzOdaru.STGShareManager'
			InprocServer32 = s '%MODULE%'
			{
				val ThreadingModel = s 'Apartment'
			}
		}
	}
}
HKLM
{
	NoRemove SOFTWARE
	{
		NoRemove Quarn
		{
			NoRemove Tessagram7
			{
				NoRemove Generic
				{
					NoRemove Std
					{
						NoRemove Services
						{
							ForceRemove {30355CD8-0A54-4ce7-838E-BF048256AF96} = s 'STGShareManager Class'
							{
								val Name = d '7019'
								val SubManager = s '{30355CD8-0A54-4ce7-838E-BF048256AF96}'
								val Priority = d '10030'
								val ToolTip = d '7120'
							}
						}
					}
				}
			}
		}
	}
}
HKLM
{
	NoRemove SOFTWARE
	{
		NoRemove Quarn
		{
			NoRemove Tessagram7
			{
				NoRemove Generic
				{
					NoRemove Std
					{
						NoRemove Client
						{
							NoRemove Commands
							{
								ForceRemove {30355CD8-0A54-4ce7-838E-BF048256AF96} = s 'Share'
								{
									val SubManager = s '{30355CD8-0A54-4ce7-838E-BF048256AF96}'
								}
								ForceRemove {F2BFE090-B34B-45d6-93EE-905255ECF886} = s 'EmailSharedItems'
								{
									val SubManager = s '{30355CD8-0A54-4ce7-838E-BF048256AF96}'
								}
								ForceRemove {F382D781-2B33-44a1-A674-5A40BAEEBE56} = s 'SaveAs'
								{
									val SubManager = s '{30355CD8-0A54-4ce7-838E-BF048256AF96}'
								}
								ForceRemove {38C4802F-4F53-4eeb-863B-B0AFD79FF4F6} = s 'GatherRound'
								{
									val SubManager = s '{30355CD8-0A54-4ce7-838E-BF048256AF96}'
								}
							}
						}
					}
				}
			}
		}
	}
}
HKLM
{
	NoRemove SOFTWARE
	{
		NoRemove Quarn
		{
			NoRemove Tessagram7
			{
				NoRemove QuarnTessagram
				{
					NoRemove Std
					{
						NoRemove Client
						{
							NoRemove 'Home Page'
							{
								ForceRemove {30355CD8-0A54-4ce7-838E-BF048256AF96} = s 'Share'
								{
									val Name = d '61449'
									val Priority = d '3000'
									val 'Glyph Entry' = s 'HomePageGlyphImagesMain'
									val 'Glyph Number' = d '2'
									val SubManager = s 'Home Page Share'
								}
							}
						}
					}
				}
			}
		}
	}
}
)";
// IDR_STGSHAREBYEMAIL
constexpr char16_t kSTGShareByEmail[] = uR"(
HKCR
{
	STGZozedAradizuzOdaru.STGShareByEmail.1 = s 'STGShareByEmail Class'
	{
		CLSID = s '{126239D4-FA95-4566-A14E-2A111932D54A}'
	}
	STGZozedAradizuzOdaru.STGShareByEmail = s 'STGShareByEmail Class'
	{
		CLSID = s '{126239D4-FA95-4566-A14E-2A111932D54A}'
		CurVer = s 'STGZozedAradizuzOdaru.STGShareByEmail.1'
	}
	NoRemove CLSID
	{
		ForceRemove {126239D4-FA95-4566-A14E-2A111932D54A} = s 'STGShareByEmail Class'
		{
			ProgID = s 'STGZozedAradizuzOdaru.STGShareByEmail.1'
			VersionIndependentProgID = s 'STGZozedAradizuzOdaru.STGShareByEmail'
			ForceRemove 'Programmable'
			InprocServer32 = s '%MODULE%'
			{
				val ThreadingModel = s 'Apartment'
			}
			ForceRemove 'Control'
			ForceRemove 'Insertable'
			'ToolboxBitmap32' = s '%MODULE%, 101'
			'MiscStatus' = s '0'
			{
				'1' = s '131473'
			}
			'TypeLib' = s '{D0684325-E912-4953-B09C-F965A5689DF0}'
			'Version' = s '1.0'
		}
	}
}
HKLM
{
	NoRemove SOFTWARE
	{
		NoRemove Quarn
		{
			NoRemove Tessagram7
			{
				NoRemove Generic
				{
					NoRemove Std
					{
						NoRemove Client
						{
							NoRemove TSGShare
							{
								ForceRemove {126239D4-FA95-4566-A14E-2A111932D54A} = s 'STGShareByEmail Class'
								{
									val Name = d '61669'
									val 'File Category' = d '61765'
									val 'Cfg Dir Ref' = s 'Options\TSGShare\{126239D4-FA95-4566-A14E-2A111932D54A}'
									val Type = s 'Share Publish Collection'
									val Priority = d '1030'
								}
							}
						}
					}
				}
			}
		}
	}
}
)";
// IDR_STGSHAREDEXPORT
constexpr char16_t kSTGSharedExport[] = uR"(
HKCR
{
	STGZozedAradizuzOdaru.STGSharedExport.1 = s 'STGSharedExport Class'
	{
		CLSID = s '{E86C3B9B-13A0-4ced-8ABA-9150A7C47609}'
	}
	STGZozedAradizuzOdaru.STGSharedExport = s 'STGSharedExport Class'
	{
		CLSID = s '{E86C3B9B-13A0-4ced-8ABA-9150A7C47609}'
		CurVer = s 'STGZozedAradizuzOdaru.STGSharedExport.1'
	}
	NoRemove CLSID
	{
		ForceRemove {E86C3B9B-13A0-4ced-8ABA-9150A7C47609} = s 'STGSharedExport Class'
		{
			ProgID = s 'STGZozedAradizuzOdaru.STGSharedExport.1'
			VersionIndependentProgID = s 'STGZozedAradizuzOdaru.STGSharedExport'
			ForceRemove 'Programmable'
			InprocServer32 = s '%MODULE%'
			{
				val ThreadingModel = s 'Apartment'
			}
			ForceRemove 'Control'
			ForceRemove 'Insertable'
			'ToolboxBitmap32' = s '%MODULE%, 110'
			'MiscStatus' = s '0'
			{
				'1' = s '131473'
			}
			'TypeLib' = s '{D0684325-E912-4953-B09C-F965A5689DF0}'
			'Version' = s '1.0'
		}
	}
}
HKLM
{
	NoRemove SOFTWARE
	{
		NoRemove Quarn
		{
			NoRemove Tessagram7
			{
				NoRemove Generic
				{
					NoRemove Pro
					{
						NoRemove Client
						{
							NoRemove TSGShare
							{
								ForceRemove {E86C3B9B-13A0-4ced-8ABA-9150A7C47609} = s 'STGSharedExport Class'
								{
									val Name = d '61803'
									val Type = s 'Share Save As Collection'
									val Priority = d '1000'
									val Toolbar = s '{3771A974-AC8A-4508-A2EB-D209DC803E22}'
								}
							}
						}
					}
				}
			}
		}
	}
}
)";
// IDR_STGSAVEMANAGER
constexpr char16_t kSTGSaveManager[] = uR"(
HKCR
{
	STGZozedAradizuzOdaru.STGSaveManager.1 = s 'STGSaveManager Class'
	{
		CLSID = s '{7870233D-CC32-4de4-9FD5-C455EFDDEEAD}'
	}
	STGZozedAradizuzOdaru.STGSaveManager = s 'STGSaveManager Class'
	{
		CLSID = s '{7870233D-CC32-4de4-9FD5-C455EFDDEEAD}'
		CurVer = s 'STGZozedAradizuzOdaru.STGSaveManager.1'
	}
	NoRemove CLSID
	{
		ForceRemove {7870233D-CC32-4de4-9FD5-C455EFDDEEAD} = s 'STGSaveManager Class'
		{
			ProgID = s 'STGZozedAradizuzOdaru.STGSaveManager.1'
			VersionIndependentProgID = s 'STGZozedAradizuzOdaru.STGSaveManager'
			InprocServer32 = s '%MODULE%'
			{
				val ThreadingModel = s 'Apartment'
			}
		}
	}
}
HKLM
{
	NoRemove SOFTWARE
	{
		NoRemove Quarn
		{
			NoRemove Tessagram7
			{
				NoRemove Generic
				{
					NoRemove Std
					{
						NoRemove Services
						{
							ForceRemove {7870233D-CC32-4de4-9FD5-C455EFDDEEAD} = s 'STGSaveManager Class'
							{
								val Name = d '7022'
								val SubManager = s '{7870233D-CC32-4de4-9FD5-C455EFDDEEAD}'
								val Priority = d '10010'
								val Type = s 'Save Service'
								val ToolTip = d '7121'
							}
						}
					}
				}
			}
		}
	}
}
HKLM
{
	NoRemove SOFTWARE
	{
		NoRemove Quarn
		{
			NoRemove Tessagram7
			{
				NoRemove Generic
				{
					NoRemove Std
					{
						NoRemove Client
						{
							NoRemove Commands
							{
								ForceRemove {7870233D-CC32-4de4-9FD5-C455EFDDEEAD} = s 'Save'
								{
									val SubManager = s '{7870233D-CC32-4de4-9FD5-C455EFDDEEAD}'
								}
								ForceRemove {F382D781-2B33-44a1-A674-5A40BAEEBE56} = s 'SaveAs'
								{
									val SubManager = s '{7870233D-CC32-4de4-9FD5-C455EFDDEEAD}'
								}
							}
						}
					}
				}
			}
		}
	}
}
)";
// IDR_STGARCHIVEPANE
constexpr char16_t kSTGArchivePane[] = uR"(
HKCR
{
	STGZozedAradizuzOdaru.STGArchivePane.1 = s 'STGArchivePane Class'
	{
		CLSID = s '{3DF39197-6128-4667-B6A5-DC42D42BEF7A}'
	}
	STGZozedAradizuzOdaru.STGArchivePane = s 'STGArchivePane Class'
	{
		CLSID = s '{3DF39197-6128-4667-B6A5-DC42D42BEF7A}'
		CurVer = s 'STGZozedAradizuzOdaru.STGArchivePane.1'
	}
	NoRemove CLSID
	{
		ForceRemove {3DF39197-6128-4667-B6A5-DC42D42BEF7A} = s 'STGArchivePane Class'
		{
			ProgID = s 'STGZozedAradizuzOdaru.STGArchivePane.1'
			VersionIndependentProgID = s 'STGZozedAradizuzOdaru.STGArchivePane'
			ForceRemove 'Programmable'
			InprocServer32 = s '%MODULE%'
			{
				val ThreadingModel = s 'Apartment'
			}
			ForceRemove 'Control'
			ForceRemove 'Insertable'
			'ToolboxBitmap32' = s '%MODULE%, 101'
			'MiscStatus' = s '0'
			{
				'1' = s '131473'
			}
			'TypeLib' = s '{3FAF2C35-9EDB-4647-BEEA-2BDA522E5122}'
			'Version' = s '1.0'
		}
	}
}
HKLM
{
	NoRemove SOFTWARE
	{
		NoRemove Quarn
		{
			NoRemove Tessagram7
			{
				NoRemove Generic
				{
					NoRemove StdPlus
					{
						NoRemove Client
						{
							NoRemove TSGSave
							{
								ForceRemove {3DF39197-6128-4667-B6A5-DC42D42BEF7A} = s 'RIZIvorude Class'
								{
									val Name = d '61884'
									val Type = s 'Share Save As Collection'
									val Priority = d '1000'
									val Toolbar = s '{3771A974-AC8A-4508-A2EB-D209DC803E22}'
								}
							}
						}
					}
				}
			}
		}
	}
}
)";
// IDR_STGEMAILGENPAN
constexpr char16_t kSTGEmailGenPan[] = uR"(
HKCR
{
	STGZozedAradizuzOdaru.STGEmailGenPan.1 = s 'STGEmailGenPan Class'
	{
		CLSID = s '{D3D811AA-E905-4d03-89D4-343A7BB0114E}'
	}
	STGZozedAradizuzOdaru.STGEmailGenPan = s 'STGEmailGenPan Class'
	{
		CLSID = s '{D3D811AA-E905-4d03-89D4-343A7BB0114E}'
		CurVer = s 'STGZozedAradizuzOdaru.STGEmailGenPan.1'
	}
	NoRemove CLSID
	{
		ForceRemove {D3D811AA-E905-4d03-89D4-343A7BB0114E} = s 'STGEmailGenPan Class'
		{
			ProgID = s 'STGZozedAradizuzOdaru.STGEmailGenPan.1'
			VersionIndependentProgID = s 'STGZozedAradizuzOdaru.STGEmailGenPan'
			ForceRemove 'Programmable'
			InprocServer32 = s '%MODULE%'
			{
				val ThreadingModel = s 'Apartment'
			}
			ForceRemove 'Control'
			ForceRemove 'Insertable'
			'ToolboxBitmap32' = s '%MODULE%, 116'
			'MiscStatus' = s '0'
			{
				'1' = s '131473'
			}
			'TypeLib' = s '{D0684325-E912-4953-B09C-F965A5689DF0}'
			'Version' = s '1.0'
		}
	}
}
HKLM
{
	NoRemove SOFTWARE
	{
		NoRemove Quarn
		{
			NoRemove Tessagram7
			{
				NoRemove QuarnTessagram
				{
					NoRemove Std
					{
						NoRemove Client
						{
							NoRemove 'Home Page Share'
							{
								ForceRemove {D3D811AA-E905-4d03-89D4-343A7BB0114E} = s 'STGEmailGenPan Class'
								{
									val Name = d '62228'
									val Priority = d '1'
									val 'Activity Pane' = s '{D3D811AA-E905-4d03-89D4-343A7BB0114E}'
									val 'Glyph Entry' = s 'Home_Email'
									val 'Glyph Number' = d '6'
									val ToolTip = d '62274'
									val Toolbar = s '{3771A974-AC8A-4508-A2EB-D209DC803E22}'
								}
							}
						}
					}
				}
			}
		}
	}
}
)";
// IDR_STGEMAILOPTPANE
constexpr char16_t kSTGEmailOptPane[] = uR"(
HKCR
{
	STGZozedAradizuzOdaru.STGEmailOptPane.1 = s 'STGEmailOptPane Class'
	{
		CLSID = s '{86A49DF4-EA73-4648-9CEB-11641256FC82}'
	}
	STGZozedAradizuzOdaru.STGEmailOptPane = s 'STGEmailOptPane Class'
	{
		CLSID = s '{86A49DF4-EA73-4648-9CEB-11641256FC82}'
		CurVer = s 'STGZozedAradizuzOdaru.STGEmailOptPane.1'
	}
	NoRemove CLSID
	{
		ForceRemove {86A49DF4-EA73-4648-9CEB-11641256FC82} = s 'STGEmailOptPane Class'
		{
			ProgID = s 'STGZozedAradizuzOdaru.STGEmailOptPane.1'
			VersionIndependentProgID = s 'STGZozedAradizuzOdaru.STGEmailOptPane'
			ForceRemove 'Programmable'
			InprocServer32 = s '%MODULE%'
			{
			}
			ForceRemove 'Control'
			ForceRemove 'Insertable'
			'ToolboxBitmap32' = s '%MODULE%, 120'
			'MiscStatus' = s '0'
			{
				'1' = s '131473'
			}
			'TypeLib' = s '{D0684325-E912-4953-B09C-F965A5689DF0}'
			'Version' = s '1.0'
		}
	}
}
)";
// IDR_STGSLIDESHOWOPTPANE
constexpr char16_t kSTGSlideShowOptPane[] = uR"(
HKCR
{
	STGZozedAradizuzOdaru.STGSlideShowOptPane.1 = s 'STGSlideShowOptPane Class'
	{
		CLSID = s '{BE9CC13F-87BC-4926-9AF6-8F1EE876D851}'
	}
	STGZozedAradizuzOdaru.STGSlideShowOptPane = s 'STGSlideShowOptPane Class'
	{
		CLSID = s '{BE9CC13F-87BC-4926-9AF6-8F1EE876D851}'
		CurVer = s 'STGZozedAradizuzOdaru.STGSlideShowOptPane.1'
	}
	NoRemove CLSID
	{
		ForceRemove {BE9CC13F-87BC-4926-9AF6-8F1EE876D851} = s 'STGSlideShowOptPane Class'
		{
			ProgID = s 'STGZozedAradizuzOdaru.STGSlideShowOptPane.1'
			VersionIndependentProgID = s 'STGZozedAradizuzOdaru.STGSlideShowOptPane'
			ForceRemove 'Programmable'
			InprocServer32 = s '%MODULE%'
			{
			}
			ForceRemove 'Control'
			ForceRemove 'Insertable'
			'ToolboxBitmap32' = s '%MODULE%, 120'
			'MiscStatus' = s '0'
			{
				'1' = s '131473'
			}
			'TypeLib' = s '{D0684325-E912-4953-B09C-F965A5689DF0}'
			'Version' = s '1.0'
		}
	}
}
)";
// IDR_STGEMAILDONEPANE
constexpr char16_t kSTGEmailDonePane[] = uR"(
HKCR
{
	STGZozedAradizuzOdaru.STGEmailDonePane.1 = s 'STGEmailDonePane Class'
	{
		CLSID = s '{A24E2C56-F1EF-442c-BCF7-085A580B777F}'
	}
	STGZozedAradizuzOdaru.STGEmailDonePane = s 'STGEmailDonePane Class'
	{
		CLSID = s '{A24E2C56-F1EF-442c-BCF7-085A580B777F}'
		CurVer = s 'STGZozedAradizuzOdaru.STGEmailDonePane.1'
	}
	NoRemove CLSID
	{
		ForceRemove {A24E2C56-F1EF-442c-BCF7-085A580B777F} = s 'STGEmailDonePane Class'
		{
			ProgID = s 'STGZozedAradizuzOdaru.STGEmailDonePane.1'
			VersionIndependentProgID = s 'STGZozedAradizuzOdaru.STGEmailDonePane'
			ForceRemove 'Programmable'
			InprocServer32 = s '%MODULE%'
			{
			}
			ForceRemove 'Control'
			ForceRemove 'Insertable'
			'ToolboxBitmap32' = s '%MODULE%, 123'
			'MiscStatus' = s '0'
			{
				'1' = s '131473'
			}
			'TypeLib' = s '{D0684325-E912-4953-B09C-F965A5689DF0}'
			'Version' = s '1.0'
		}
	}
}
)";
// IDR_STGEMAILOPTIONS
constexpr char16_t kSTGEmailOptions[] = uR"(
HKCR
{
	STGZozedAradizuzOdaru.STGEmailOptions.1 = s 'STGEmailOptions Class'
	{
		CLSID = s '{F72442DF-B66F-48a2-BCA0-AF65905E841A}'
	}
	STGZozedAradizuzOdaru.STGEmailOptions = s 'STGEmailOptions Class'
	{
		CLSID = s '{F72442DF-B66F-48a2-BCA0-AF65905E841A}'
		CurVer = s 'STGZozedAradizuzOdaru.STGEmailOptions.1'
	}
	NoRemove CLSID
	{
		ForceRemove {F72442DF-B66F-48a2-BCA0-AF65905E841A} = s 'STGEmailOptions Class'
		{
			ProgID = s 'STGZozedAradizuzOdaru.STGEmailOptions.1'
			VersionIndependentProgID = s 'STGZozedAradizuzOdaru.STGEmailOptions'
			ForceRemove 'Programmable'
			InprocServer32 = s '%MODULE%'
			{
			}
			ForceRemove 'Control'
			ForceRemove 'Insertable'
			'ToolboxBitmap32' = s '%MODULE%, 126'
			'MiscStatus' = s '0'
			{
				'1' = s '131473'
			}
			'TypeLib' = s '{D0684325-E912-4953-B09C-F965A5689DF0}'
			'Version' = s '1.0'
		}
	}
}
)";
constexpr RegistrationScript kScripts[] = {
    {102, kSTGSharedSaveAs},
    {105, kSTGShareManager},
    {109, kSTGShareByEmail},
    {111, kSTGSharedExport},
    {114, kSTGSaveManager},
    {115, kSTGArchivePane},
    {117, kSTGEmailGenPan},
    {121, kSTGEmailOptPane},
    {124, kSTGSlideShowOptPane},
    {127, kSTGEmailDonePane},
    {205, kSTGEmailOptions},
};

}  // namespace

std::span<const RegistrationScript> registration_scripts() { return kScripts; }

}  // namespace zozed
