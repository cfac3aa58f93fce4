% build_planestat compiles the eight functions with mex (here: Octave's mex,
% which calls mkoctfile --mex); they must give the same results as the CMake
% build and carry their help text.
outdir = tempname ();
confirm_recursive_rmdir (false);
cleanup = onCleanup (@() rmdir (outdir, "s"));
build_planestat (outdir);
names = {"stillcull", "moodcull", "anchorfield", "vigorfield", "vigorsheet", ...
         "ringsample", "driftgauge", "rimvane"};
for i = 1:numel (names)
  assert (exist (fullfile (outdir, [names{i} "." mexext()]), "file") == 3, "%s not built", names{i});
  assert (exist (fullfile (outdir, [names{i} ".m"]), "file") == 2, "%s has no help twin", names{i});
end

cmake_ringsample = which ("ringsample");
square = [1 0; 0 1; -1 0; 0 -1];
expected = ringsample (square, 4);
addpath (outdir);
assert (strncmp (which ("ringsample"), outdir, numel (outdir)));
assert (ringsample (square, 4), expected);
assert (driftgauge (square, 4, 2 * square, 4), 0.25);
assert (test ("ringsample", "quiet"));
rmpath (outdir);
printf ("build_planestat builds all eight functions\n");
