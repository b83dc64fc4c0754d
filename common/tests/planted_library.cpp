// A library that a hardened program must never load by its bare name: it stands for a DLL
// planted beside the program.
extern "C" __declspec(dllexport) int PlantedLibraryMarker()
{
    return 42;
}
