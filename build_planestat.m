function outdir = build_planestat (outdir)
%BUILD_PLANESTAT  Compile the eight planestat functions with MEX.
%   BUILD_PLANESTAT compiles stillcull, moodcull, anchorfield, vigorfield,
%   vigorsheet, ringsample, driftgauge and rimvane into the folder
%   build/mexfiles beside this file and copies each function's help text
%   (<name>.m) next to its MEX file. BUILD_PLANESTAT(OUTDIR) compiles into
%   OUTDIR instead. Afterwards:  addpath(OUTDIR); help anchorfield
%
%   Works in MATLAB with a GCC or Clang compiler configured for mex (mex
%   -setup C++), and in GNU Octave, whose mex calls mkoctfile --mex. Results
%   are bit-exact only without fused multiply-add, so the code is compiled
%   with -ffp-contract=off.
%
%   See also ANCHORFIELD, RINGSAMPLE.

  root = fileparts (mfilename ('fullpath'));
  if nargin < 1
    outdir = fullfile (root, 'build', 'mexfiles');
  end
  if ~exist (outdir, 'dir')
    mkdir (outdir);
  end
  names = {'stillcull', 'moodcull', 'anchorfield', 'vigorfield', 'vigorsheet', ...
           'ringsample', 'driftgauge', 'rimvane'};
  folders = {'gateway', 'window_stats', 'classifiers', 'maps', 'contours'};
  in_octave = exist ('OCTAVE_VERSION', 'builtin') ~= 0;
  flags = '-O2 -std=c++17 -ffp-contract=off -fno-fast-math';

  % Every source but the entry point is compiled once, into a scratch folder.
  objdir = tempname ();
  mkdir (objdir);
  cleanup = onCleanup (@() rmdir (objdir, 's'));
  sources = {};
  for f = 1:numel (folders)
    listing = dir (fullfile (root, folders{f}, '*.cpp'));
    for i = 1:numel (listing)
      if ~strcmp (listing(i).name, 'mex_entry.cpp')
        sources{end + 1} = fullfile (root, folders{f}, listing(i).name); %#ok<AGROW>
      end
    end
  end
  if in_octave
    old_flags = getenv ('CXXFLAGS');
    setenv ('CXXFLAGS', flags);
    restore = onCleanup (@() setenv ('CXXFLAGS', old_flags));
    here = pwd ();
    cd (objdir);
    try
      mex ('-c', ['-I' root], sources{:});
    catch err
      cd (here);
      rethrow (err);
    end
    cd (here);
  else
    mex ('-c', ['-I' root], ['CXXFLAGS=$CXXFLAGS ' flags], '-outdir', objdir, sources{:});
  end

  % Each function links the frame, the window kernels, its own source and the
  % shared sources of its folder; the entry point names its declaration.
  for n = 1:numel (names)
    name = names{n};
    objects = {};
    for s = 1:numel (sources)
      [folder, base] = fileparts (sources{s});
      [~, folder] = fileparts (folder);
      own_or_shared = strcmp (base, name) || ~any (strcmp (base, names));
      if any (strcmp (folder, {'gateway', 'window_stats'})) || ...
         (own_or_shared && exist (fullfile (root, folder, [name '.cpp']), 'file'))
        objects{end + 1} = fullfile (objdir, [base object_suffix()]); %#ok<AGROW>
      end
    end
    entry = fullfile (root, 'gateway', 'mex_entry.cpp');
    define = ['-DPLANESTAT_DELIVERABLE=' name '_deliverable'];
    if in_octave
      mex (['-I' root], define, '-o', fullfile (outdir, [name '.' mexext()]), entry, objects{:});
    else
      mex (['-I' root], define, ['CXXFLAGS=$CXXFLAGS ' flags], '-output', ...
           fullfile (outdir, name), entry, objects{:});
    end
    copyfile (fullfile (root, 'inst', [name '.m']), outdir);
  end
end

function suffix = object_suffix ()
  if ispc ()
    suffix = '.obj';
  else
    suffix = '.o';
  end
end
