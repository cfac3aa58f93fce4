function post_install (desc)
  % Each function's help text lives in a comment-only <name>.m file. Octave's
  % help reads it only when it sits beside the MEX file of the same name, and
  % pkg install puts .m files and MEX files in different folders: move each
  % help twin next to its MEX file.
  mex_files = dir (fullfile (desc.archprefix, "*", "*.mex"));
  if (isempty (mex_files))
    error ("planestat: post_install: no MEX files under %s", desc.archprefix);
  end
  for i = 1:numel (mex_files)
    [~, name] = fileparts (mex_files(i).name);
    twin = fullfile (desc.dir, [name ".m"]);
    if (exist (twin, "file"))
      [ok, message] = movefile (twin, mex_files(i).folder);
      if (! ok)
        error ("planestat: post_install: cannot move %s: %s", twin, message);
      end
    end
  end
end
